# Windows: the folders of the DLLs the programs load (Qt's bin folder and the
# compiler's runtime), for the install rules; and, when cross-compiling, a
# Wine launcher with those folders on its path, which runs the tests, the
# test discovery and the programs (build-windows/wine-run).
include_guard(GLOBAL)

get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qt_core_dll)
  get_target_property(qt_core_dll Qt6::Core LOCATION)
endif()
get_filename_component(qt_bin_dir "${qt_core_dll}" DIRECTORY)
set(dll_dirs ${qt_bin_dir})
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    # The compiler names only what is in its own folders.
    find_file(path ${runtime} PATH_SUFFIXES lib bin NO_CACHE)
  endif()
  if(NOT path)
    message(FATAL_ERROR "${runtime} not found: the Windows programs cannot run without it")
  endif()
  get_filename_component(dir "${path}" DIRECTORY)
  list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
set(SELENARA_DLL_DIRS ${dll_dirs})

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(SELENARA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
  if(SELENARA_WINE)
    # Wine's drive Z: is the host's root folder.
    set(wine_path "")
    foreach(dir IN LISTS SELENARA_DLL_DIRS)
      string(REPLACE "/" "\\" dir "Z:${dir}")
      list(APPEND wine_path "${dir}")
    endforeach()
    list(JOIN wine_path ";" SELENARA_WINEPATH)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
  else()
    message(STATUS "No Wine: the Windows tests are built but cannot run here")
  endif()
endif()
