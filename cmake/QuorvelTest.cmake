# quorvel_add_test(NAME SOURCES... LIBS ...): one GoogleTest executable
# registered with CTest, run offscreen and with private settings.
find_package(GTest REQUIRED)
include(GoogleTest)

function(quorvel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} TestSupport GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QUORVEL_FIXTURES=${QUORVEL_FIXTURES_DIR}")
endfunction()
