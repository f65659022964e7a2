# The single-instance guard and its tests; include()d from the top level with
# SELENARA_ROOT set to the source root.
if(NOT DEFINED SELENARA_ROOT)
  set(SELENARA_ROOT ${CMAKE_SOURCE_DIR})
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Network)

add_library(selenara_single_instance STATIC
  ${SELENARA_ROOT}/app/SingleInstance.cpp
  ${SELENARA_ROOT}/app/SingleInstance.h
)
target_include_directories(selenara_single_instance PUBLIC ${SELENARA_ROOT})
target_link_libraries(selenara_single_instance PUBLIC Qt6::Core Qt6::Network)
target_compile_definitions(selenara_single_instance PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
set_target_properties(selenara_single_instance PROPERTIES AUTOMOC ON)

if(SELENARA_TESTS)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  find_package(GTest REQUIRED)
  include(GoogleTest)

  # A second program for the hand-over between two processes.
  add_executable(single_instance_peer ${SELENARA_ROOT}/tests/app/single_instance_peer.cpp)
  target_link_libraries(single_instance_peer PRIVATE selenara_single_instance)
  target_compile_definitions(single_instance_peer PRIVATE QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)

  add_executable(single_instance_tests ${SELENARA_ROOT}/tests/app/SingleInstanceTest.cpp)
  target_link_libraries(single_instance_tests PRIVATE selenara_single_instance Qt6::Test GTest::gtest)
  target_compile_definitions(single_instance_tests PRIVATE
    QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT
    SINGLE_INSTANCE_PEER="$<TARGET_FILE:single_instance_peer>")
  add_dependencies(single_instance_tests single_instance_peer)
  gtest_discover_tests(single_instance_tests DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
