# The options dialog and its tests; include()d from the top level with
# SELENARA_ROOT set to the source root.
if(NOT DEFINED SELENARA_ROOT)
  set(SELENARA_ROOT ${CMAKE_SOURCE_DIR})
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

add_library(selenara_options_dialog STATIC
  ${SELENARA_ROOT}/settings/OptionsDialog.cpp
  ${SELENARA_ROOT}/settings/OptionsDialog.h
  ${SELENARA_ROOT}/settings/CityCompleter.cpp
  ${SELENARA_ROOT}/settings/CityCompleter.h
)
target_include_directories(selenara_options_dialog PUBLIC ${SELENARA_ROOT})
target_link_libraries(selenara_options_dialog PUBLIC selenara_settings selenara_calendarview Qt6::Widgets)
target_compile_definitions(selenara_options_dialog PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
set_target_properties(selenara_options_dialog PROPERTIES AUTOMOC ON)

if(SELENARA_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(options_dialog_tests ${SELENARA_ROOT}/tests/gui/OptionsDialogTest.cpp
                 ${SELENARA_ROOT}/tests/support/QtWidgetsTestMain.cpp)
  target_include_directories(options_dialog_tests PRIVATE ${SELENARA_ROOT}/tests)
  target_link_libraries(options_dialog_tests PRIVATE selenara_options_dialog selenara_app GTest::gtest)
  target_compile_definitions(options_dialog_tests PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
  gtest_discover_tests(options_dialog_tests DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
