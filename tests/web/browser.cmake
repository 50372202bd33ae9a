# The page in Debian's Chromium, headless, driven by node scripts through
# playwright-core (tests/web/browser/, installed there by scripts/setup.sh):
# its replays against velkaro-render's pictures, its full-screen run, its
# bad parameters, its frame rate and its music. velkaro-render is built
# natively into host-tools/ of this tree. Each test fails, naming what is missing, where
# Chromium, playwright-core, the page or velkaro-render is not there.
include(${PROJECT_SOURCE_DIR}/cmake/host_tools.cmake)
velkaro_host_tools(TOOLS velkaro-render velkaro-art)

# Emscripten's toolchain confines finding to its own root; node is the
# machine's.
find_program(VELKARO_NODE node NO_CMAKE_FIND_ROOT_PATH REQUIRED)

set(browser_tests ${CMAKE_CURRENT_SOURCE_DIR}/browser)
set(browser_environment
  VELKARO_PAGE_DIR=${CMAKE_BINARY_DIR}/page
  VELKARO_RENDER=${velkaro_host_velkaro-render_program}
  VELKARO_ART=${velkaro_host_velkaro-art_program}
  VELKARO_CHROMIUM=/usr/bin/chromium)

# name, script, timeout in seconds.
function(velkaro_browser_test name script timeout)
  add_test(NAME ${name} COMMAND ${VELKARO_NODE} ${browser_tests}/${script})
  set_tests_properties(${name} PROPERTIES
    LABELS web ENVIRONMENT "${browser_environment}" TIMEOUT ${timeout}
    WORKING_DIRECTORY ${browser_tests})
endfunction()

velkaro_browser_test(web_browser_frames frames.test.mjs 900)
velkaro_browser_test(web_browser_bad_parameters bad_parameters.test.mjs 120)
velkaro_browser_test(web_browser_full_screen full_screen.test.mjs 120)
velkaro_browser_test(web_browser_frame_rate frame_rate.test.mjs 120)
velkaro_browser_test(web_browser_chooser chooser.test.mjs 180)
velkaro_browser_test(web_browser_music music.test.mjs 120)
# Measured alone, so that no other test takes the cores the page's frames need.
set_tests_properties(web_browser_frame_rate PROPERTIES RUN_SERIAL ON)
