# The about box and its tests; include()d from the top level with
# SELENARA_ROOT set to the source root.
if(NOT DEFINED SELENARA_ROOT)
  set(SELENARA_ROOT ${CMAKE_SOURCE_DIR})
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets)

add_library(selenara_about_box STATIC
  ${SELENARA_ROOT}/texts/AboutBox.cpp
  ${SELENARA_ROOT}/texts/AboutBox.h
)
target_include_directories(selenara_about_box PUBLIC ${SELENARA_ROOT})
target_link_libraries(selenara_about_box PUBLIC selenara_texts selenara_calendarview Qt6::Widgets Qt6::Gui)
target_compile_definitions(selenara_about_box PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
set_target_properties(selenara_about_box PROPERTIES AUTOMOC ON)

if(SELENARA_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)

  # Its own main: the widgets need a QApplication before the first test.
  add_executable(about_box_tests ${SELENARA_ROOT}/tests/gui/AboutBoxTest.cpp
                 ${SELENARA_ROOT}/tests/support/QtWidgetsTestMain.cpp)
  target_link_libraries(about_box_tests PRIVATE selenara_about_box GTest::gtest)
  target_compile_definitions(about_box_tests PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
  gtest_discover_tests(about_box_tests DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
