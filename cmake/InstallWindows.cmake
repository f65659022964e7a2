# Windows: the two programs with exactly the DLLs and Qt plugins they load,
# in one folder. The DLLs are read from the programs' and plugins' imports
# (objdump, cmake/InstallWindowsDlls.cmake), in the folders
# cmake/WindowsRuntime.cmake found: Qt's and the compiler's own, never
# Windows' system DLLs. CPack packs the folder as a portable ZIP and as a
# per-user NSIS installer (cmake/nsis/).

if(NOT CMAKE_OBJDUMP)
  find_program(CMAKE_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump REQUIRED)
endif()

install(TARGETS selenara selenara-almanac RUNTIME DESTINATION .)
# Loaded by name at run time, so no program imports them: the Windows
# platform, and the widget style Qt picks on Windows.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
# Then the DLLs all of them import.
install(CODE "set(SELENARA_DLL_DIRS \"${SELENARA_DLL_DIRS}\")
set(SELENARA_OBJDUMP \"${CMAKE_OBJDUMP}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallWindowsDlls.cmake)

set(CPACK_GENERATOR ZIP NSIS)
# The list of installed programs shows the release, as the programs'
# ProductVersion and the packages' names do.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}${SELENARA_RELEASE_LETTER})
set(CPACK_PACKAGE_FILE_NAME selenara-${PROJECT_VERSION}${SELENARA_RELEASE_LETTER}-windows-x86_64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Selenara)
set(CPACK_PACKAGE_EXECUTABLES selenara Selenara)
# Our own installer script: per user, no administrator (cmake/nsis/).
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icons/selenara.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icons/selenara.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME selenara.exe)
set(CPACK_NSIS_DISPLAY_NAME Selenara)
set(CPACK_NSIS_PACKAGE_NAME "Selenara ${PROJECT_VERSION}${SELENARA_RELEASE_LETTER}")
