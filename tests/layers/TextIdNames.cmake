# cmake -DROOT=<source root> -P TextIdNames.cmake
# Fails on a number as the text id of TextById or of a file's own Text helper
# in a layer's folder: ids go by their names in texts/TextIds.h. EXTRA
# ("folder/File.cpp:line") adds a line to a file (tests/layers/Layers.cmake).

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

function(check_text_id file layer line)
  if(line MATCHES "(^|[^A-Za-z0-9_])(TextById|Text)[ \t]*\\([ \t]*([0-9]+)")
    set(faults "${faults}${file}: the text id ${CMAKE_MATCH_3} written as a number\n" PARENT_SCOPE)
  endif()
endfunction()

set(faults "")
for_each_layer_line("Text" check_text_id)

if(faults)
  message(FATAL_ERROR "Text ids without their names:\n${faults}")
endif()
message(STATUS "Every text id in the code is named")
