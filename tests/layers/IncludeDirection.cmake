# cmake -DROOT=<source root> -P IncludeDirection.cmake
# Fails on any #include in a layer's folder that goes against the layers'
# direction, and on a Qt header in a plain C++ layer. EXTRA ("folder/File.h:line")
# adds a line to a file's text (tests/layers/Layers.cmake).

cmake_minimum_required(VERSION 3.25)

# What each folder may include besides the standard library. "version" is the
# generated Version.h.
set(may_astro astro)
set(may_model astro model)
set(may_platform astro platform)
set(may_settings settings)
set(may_texts astro model settings texts)
set(may_cli astro model platform settings texts cli version)
set(may_toolkit toolkit)
set(may_calendarview astro model settings texts toolkit calendarview)
set(may_dialogs astro model settings texts toolkit calendarview dialogs version)
set(may_app astro model platform settings texts toolkit calendarview dialogs app version)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
# Plain C++ layers: no Qt, but for the settings store on QSettings. (The
# platform layer reads the clock and the zones through Qt.)
set(plain astro model settings texts cli)
set(qt_store_files settings/QtSettingsStore.h settings/QtSettingsStore.cpp settings/TextIni.h
    settings/TextIni.cpp settings/RegistryStore.h settings/RegistryStore.cpp)

function(check_include file layer line)
  if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]*)\"")
    set(header ${CMAKE_MATCH_1})
    if(header STREQUAL "Version.h")
      set(target version)
    elseif(header MATCHES "^([a-z]+)/[^/]+$")
      set(target ${CMAKE_MATCH_1})
    else()
      set(faults "${faults}${file}: \"${header}\" is not folder/Header.h\n" PARENT_SCOPE)
      return()
    endif()
    if(NOT target IN_LIST may_${layer})
      set(faults "${faults}${file}: ${layer} may not include ${header}\n" PARENT_SCOPE)
    endif()
  elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)>")
    if(layer IN_LIST plain AND NOT file IN_LIST qt_store_files)
      set(faults "${faults}${file}: the plain C++ layer ${layer} may not include <${CMAKE_MATCH_1}>\n" PARENT_SCOPE)
    endif()
  endif()
endfunction()

set(faults "")
for_each_layer_line("^[ \t]*#[ \t]*include" check_include)

if(faults)
  message(FATAL_ERROR "Includes against the layers' direction:\n${faults}")
endif()
message(STATUS "Every include follows the layers' direction")
