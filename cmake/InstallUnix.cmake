# Linux and the BSDs: the two programs in the usual GNU layout, with the
# desktop entry, the AppStream metainfo, the hicolor icons and the almanac's
# man page, which CPack packs into a .deb (scripts/package). Elsewhere the
# programs alone.

set(SELENARA_APP_ID org.example.Selenara)
# The PNGs in resources/icons/ (tools/icons/generate.sh), one a hicolor size.
set(SELENARA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS selenara selenara-almanac RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(APPLE)
  return()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/desktop/${SELENARA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/${SELENARA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/selenara-almanac.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size IN LISTS SELENARA_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/selenara-${size}.png
          DESTINATION ${icon_dir}/${size}x${size}/apps RENAME ${SELENARA_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/selenara.svg
        DESTINATION ${icon_dir}/scalable/apps RENAME ${SELENARA_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
# One string, lines under 80 columns as the Debian control file wants them.
set(CPACK_PACKAGE_DESCRIPTION "\
Selenara shows one month as a grid of days, with the principal moon phases,
their local clock times and blue moons; clicking a day shows its moonrise
and moonset at your place. A tray icon shows today's moon.
The selenara-almanac command gives the same astronomy as plain text and
writes the phases as an iCalendar file.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries' packages come from dpkg-shlibdeps; Qt's platform plugins are
# loaded at run time, so no linked library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The window's look asks for Liberation Sans (Narrow) first.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

# The staged install's test and the package's check want the same files.
list(JOIN SELENARA_ICON_SIZES " " icon_sizes)
set(SELENARA_INSTALL_CHECK -DAPP_ID=${SELENARA_APP_ID} -DVERSION=${PROJECT_VERSION}
    "-DICON_SIZES=${icon_sizes}" -P ${PROJECT_SOURCE_DIR}/tests/desktop/InstallCheck.cmake)
# cmake --build <dir> --target check_package (scripts/package): packs the
# .deb, unpacks it into a throwaway root and checks what it holds.
add_custom_target(check_package
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake
  COMMAND ${CMAKE_COMMAND} -DDEB_DIR=${PROJECT_BINARY_DIR} -DSTAGE=${PROJECT_BINARY_DIR}/package-root
          ${SELENARA_INSTALL_CHECK}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)
