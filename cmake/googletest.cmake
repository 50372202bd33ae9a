# GoogleTest is built from Debian's source package in both builds, so the
# Windows test executables link a GoogleTest compiled by MinGW.
set(VELKARO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# The web tree's test programs run under node, one thread.
if(CMAKE_SYSTEM_NAME STREQUAL "Emscripten")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${VELKARO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)
if(VELKARO_WINDOWS)
  # Found before GoogleTest's own empty one (see the header).
  foreach(target gtest gtest_main gmock gmock_main)
    target_include_directories(${target} BEFORE PUBLIC
      ${PROJECT_SOURCE_DIR}/tests/support/gtest_win32)
  endforeach()
endif()
