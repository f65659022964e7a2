# cmake -DROOT=<source root> -P TextIdNames.cmake
# Fails on a number as the text id of TextById or of a file's own Text helper
# in a layer's folder: ids go by their names in texts/TextIds.h. EXTRA
# ("folder/File.cpp:line") adds a line to a file, as in IncludeDirection.cmake.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(faults "")
foreach(layer IN LISTS layers)
  file(GLOB files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  list(SORT files)
  foreach(file IN LISTS files)
    file(STRINGS ${ROOT}/${file} lines REGEX "Text")
    if(DEFINED EXTRA AND EXTRA MATCHES "^${file}:(.*)$")
      list(APPEND lines "${CMAKE_MATCH_1}")
    endif()
    foreach(line IN LISTS lines)
      if(line MATCHES "(^|[^A-Za-z0-9_])(TextById|Text)[ \t]*\\([ \t]*([0-9]+)")
        string(APPEND faults "${file}: the text id ${CMAKE_MATCH_3} written as a number\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Text ids without their names:\n${faults}")
endif()
message(STATUS "Every text id in the code is named")
