# Embeds data files into the program: selenara_embed(OUT symbol files...)
# writes a C++ source defining `extern const unsigned char symbol[]` (the
# files' bytes joined) and `extern const std::size_t symbol_size`.
# Regenerated whenever one of the files changes.
set(SELENARA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFiles.cmake)
function(selenara_embed out symbol)
  # A list would split into several arguments on the command line.
  string(REPLACE ";" "|" files "${ARGN}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" -DOUT=${out} -DSYMBOL=${symbol}
            -P ${SELENARA_EMBED_SCRIPT}
    DEPENDS ${ARGN} ${SELENARA_EMBED_SCRIPT}
    COMMENT "Embedding ${symbol}"
    VERBATIM)
endfunction()
