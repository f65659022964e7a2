# Run at install time (cmake/InstallWindows.cmake): copies next to the
# programs every DLL that the installed programs and plugins import, and what
# those import in turn, found in SELENARA_DLL_DIRS. Windows' own DLLs are not
# there and stay out. Names are matched without regard to case, as Windows
# does; CMake's own resolver compares them as the host's file system does,
# and so finds none of Qt's DLLs on Linux.
cmake_policy(VERSION 3.25)
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(GLOB_RECURSE pending "${prefix}/*.exe" "${prefix}/*.dll")

set(available "")
foreach(dir IN LISTS SELENARA_DLL_DIRS)
  file(GLOB dlls "${dir}/*.dll")
  list(APPEND available ${dlls})
endforeach()

set(seen "")
while(pending)
  list(POP_FRONT pending binary)
  execute_process(COMMAND "${SELENARA_OBJDUMP}" -p "${binary}" OUTPUT_VARIABLE imports RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read the imports of ${binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${imports}")
  foreach(line IN LISTS names)
    string(REPLACE "DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" name)
    if(name IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${name}")
    foreach(dll IN LISTS available)
      get_filename_component(file "${dll}" NAME)
      string(TOLOWER "${file}" lower)
      if(lower STREQUAL name)
        file(INSTALL "${dll}" DESTINATION "${CMAKE_INSTALL_PREFIX}")  # DESTDIR is its own
        list(APPEND pending "${prefix}/${file}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()
