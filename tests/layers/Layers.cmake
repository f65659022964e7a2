# The layers' folders, and the walk over their sources that the checks share.
set(layers astro model platform settings texts cli toolkit calendarview dialogs app)

# Calls the function CHECK with (file layer line) for every line matching
# REGEX in the layers' headers and sources, in a fixed order. EXTRA
# ("folder/File.cpp:line") adds a line to that file, so that a test can show
# a wrong one is caught. CHECK appends to `faults` with PARENT_SCOPE; the
# list reaches the caller.
function(for_each_layer_line regex check)
  foreach(layer IN LISTS layers)
    file(GLOB files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
    list(SORT files)
    foreach(file IN LISTS files)
      file(STRINGS ${ROOT}/${file} lines REGEX "${regex}")
      if(DEFINED EXTRA AND EXTRA MATCHES "^${file}:(.*)$")
        list(APPEND lines "${CMAKE_MATCH_1}")
      endif()
      foreach(line IN LISTS lines)
        cmake_language(CALL ${check} "${file}" "${layer}" "${line}")
      endforeach()
    endforeach()
  endforeach()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()
