# cmake -DFILES=a|b -DOUT=x.cpp -DSYMBOL=name -P EmbedFiles.cmake
string(REPLACE "|" ";" FILES "${FILES}")
set(hex "")
foreach(f IN LISTS FILES)
  file(READ ${f} part HEX)
  string(APPEND hex ${part})
endforeach()
string(LENGTH "${hex}" n)
math(EXPR n "${n} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "#include <cstddef>\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}_size;\n"
  "const unsigned char ${SYMBOL}[] = {\n${bytes}0};\n"
  "const std::size_t ${SYMBOL}_size = ${n};\n")
