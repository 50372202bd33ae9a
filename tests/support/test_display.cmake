# One virtual X display, one PulseAudio with a null sink and one running
# wineserver serve every Wine test of a ctest run; ctest starts them before the
# first test that needs them and stops them after the last.
set(VELKARO_TEST_ENV ${CMAKE_BINARY_DIR}/test-env)
add_test(NAME test_display_start
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-env.sh start ${CMAKE_BINARY_DIR})
add_test(NAME test_display_stop
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/test-env.sh stop ${CMAKE_BINARY_DIR})
set_tests_properties(test_display_start PROPERTIES FIXTURES_SETUP test_display TIMEOUT 300)
set_tests_properties(test_display_stop PROPERTIES FIXTURES_CLEANUP test_display)
