# The Windows resource of a program: the moon icon that Explorer, the taskbar
# and the window's title bar show, and the version that the file's properties
# show. Does nothing on other systems.
include_guard(GLOBAL)

# selenara_windows_resource(TARGET DESCRIPTION FILENAME): FILENAME is the
# program file's name ("selenara.exe"), DESCRIPTION the line Explorer and the
# task manager show for it.
function(selenara_windows_resource target description filename)
  if(NOT WIN32)
    return()
  endif()
  # The platform files enable the resource compiler with MinGW and MSVC alike;
  # without it a .rc source would be left out without a word.
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT RC IN_LIST languages)
    message(FATAL_ERROR "No resource compiler for ${target}: set CMAKE_RC_COMPILER")
  endif()

  # Four numbers in a binary version: 1.4 is 1,4,0,0.
  set(numbers "")
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  list(JOIN numbers "," SELENARA_RC_VERSION_COMMAS)

  set(SELENARA_RC_ICON ${PROJECT_SOURCE_DIR}/resources/icons/selenara.ico)
  set(SELENARA_RC_DESCRIPTION "${description}")
  set(SELENARA_RC_FILENAME "${filename}")
  get_filename_component(SELENARA_RC_INTERNAL_NAME "${filename}" NAME_WLE)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Windows.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The resource compiler's dependency scan sees #include only, not the icon.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${SELENARA_RC_ICON})
endfunction()
