# quorvel_add_test(NAME [SERIAL] SOURCES... LIBS ...): one GoogleTest
# executable registered with CTest, run offscreen and with private settings.
# Its main makes a QApplication when LIBS has TestSupportGui, else a
# QCoreApplication. SERIAL keeps its tests from running beside others (real
# processes that share machine-wide names).
find_package(GTest REQUIRED)
include(GoogleTest)

function(quorvel_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS" ${ARGN})
  set(serial FALSE)
  if(ARG_SERIAL)
    set(serial TRUE)
  endif()
  set(main TestSupportMain)
  if("TestSupportGui" IN_LIST ARG_LIBS)
    set(main)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} TestSupport GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QUORVEL_FIXTURES=${QUORVEL_FIXTURES_DIR}" RUN_SERIAL ${serial} TIMEOUT 300)
endfunction()
