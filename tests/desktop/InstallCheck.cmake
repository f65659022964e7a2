# cmake -DBUILD_DIR=<build> | -DDEB_DIR=<folder of the .deb>
#       -DSTAGE=<empty dir> -DAPP_ID=<id> -DVERSION=<x.y>
#       "-DICON_SIZES=<16 22 ...>" -P InstallCheck.cmake
# Installs the build with prefix /usr under DESTDIR=STAGE, or unpacks the
# Debian package of VERSION there and lets apt resolve its Depends without
# installing; then checks the file list, the icons' pixel sizes, the ids the
# files name each other by and the version they name; runs the installed
# almanac, and desktop-file-validate and appstreamcli when they are installed.

cmake_minimum_required(VERSION 3.25)

separate_arguments(ICON_SIZES)
file(REMOVE_RECURSE ${STAGE})
if(DEB_DIR)
  file(GLOB deb ${DEB_DIR}/selenara_${VERSION}_*.deb)
  list(LENGTH deb count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "not one package of ${VERSION} in ${DEB_DIR}: ${deb}")
  endif()
  execute_process(COMMAND dpkg-deb -x ${deb} ${STAGE} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x ${deb} failed: ${rc}")
  endif()
  # apt-get wants a path with a slash to take a file for a package's name.
  execute_process(COMMAND apt-get install --simulate --no-download ${deb}
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "apt cannot resolve the Depends of ${deb}")
  endif()
else()
  set(ENV{DESTDIR} ${STAGE})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
  endif()
endif()

set(share ${STAGE}/usr/share)
set(desktop_file ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
set(expected
    usr/bin/selenara usr/bin/selenara-almanac
    usr/share/applications/${APP_ID}.desktop
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/man/man1/selenara-almanac.1
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size IN LISTS ICON_SIZES)
  set(png ${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  file(READ ${png} signature LIMIT 8 HEX)
  file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 width)
  string(SUBSTRING "${header}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(SEND_ERROR "${png}: not a ${size} x ${size} PNG (${width} x ${height})")
  endif()
endforeach()
file(READ ${share}/icons/hicolor/scalable/apps/${APP_ID}.svg svg)
if(NOT svg MATCHES "<svg[^>]*viewBox=\"0 0 256 256\"" OR NOT svg MATCHES "<path ")
  message(SEND_ERROR "the scalable icon is no square SVG drawn with paths")
endif()

# The files find each other by the one id; the metainfo names this version.
file(READ ${desktop_file} desktop)
file(READ ${metainfo} meta)
if(NOT desktop MATCHES "\nIcon=${APP_ID}\n" OR NOT desktop MATCHES "\nExec=selenara\n")
  message(SEND_ERROR "${desktop_file}: Icon or Exec do not name ${APP_ID} and selenara")
endif()
if(NOT meta MATCHES "<id>${APP_ID}</id>" OR
   NOT meta MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
  message(SEND_ERROR "${metainfo}: id or launchable is not ${APP_ID}")
endif()
if(NOT meta MATCHES "<release version=\"${VERSION}\"")
  message(SEND_ERROR "${metainfo}: no release ${VERSION}")
endif()
file(STRINGS ${share}/man/man1/selenara-almanac.1 title REGEX "^\\.TH ")
if(NOT title MATCHES "\"Selenara ${VERSION}\"")
  message(SEND_ERROR "the man page's title is not of Selenara ${VERSION}: ${title}")
endif()

execute_process(COMMAND ${STAGE}/usr/bin/selenara-almanac --help
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(SEND_ERROR "the installed selenara-almanac --help exited with ${rc}")
endif()
execute_process(COMMAND ${STAGE}/usr/bin/selenara-almanac --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE version_line)
if(NOT rc EQUAL 0 OR NOT version_line MATCHES "^selenara-almanac ${VERSION}[a-z]?\n$")
  message(SEND_ERROR "the installed selenara-almanac --version: ${rc}, ${version_line}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop_file} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "desktop-file-validate failed")
  endif()
endif()
if(APPSTREAMCLI)
  # The tree check also finds the desktop file and icons the metainfo refers to.
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo} RESULT_VARIABLE rc)
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${STAGE}/usr RESULT_VARIABLE tree_rc)
  if(NOT rc EQUAL 0 OR NOT tree_rc EQUAL 0)
    message(SEND_ERROR "appstreamcli validation failed")
  endif()
endif()
