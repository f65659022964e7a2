# Installation and packages, the same program files everywhere. Linux and
# the BSDs: the GNU layout with the desktop files, packed into a .deb
# (cmake/InstallUnix.cmake, scripts/package). Windows: one folder with the
# DLLs and Qt plugins the programs load, packed as a portable ZIP and a
# per-user installer (cmake/InstallWindows.cmake, scripts/windows).
# (qt_standard_project_setup has included GNUInstallDirs.)

set(CPACK_PACKAGE_NAME selenara)
set(CPACK_PACKAGE_VENDOR "The Selenara Project")
set(CPACK_PACKAGE_CONTACT "The Selenara Project <selenara@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://selenara.example.org/en/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop moon calendar with moonrise and moonset")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/InstallUnix.cmake)
endif()
include(CPack)
