# The page: build/web/page/index.html and velkaro.js, the script that holds
# the WebAssembly module (inlined, so that the page opens from the file
# system with no server) followed by the page's own script.
add_executable(velkaro_module page_bindings_web.cpp page_audio_web.cpp)
target_link_libraries(velkaro_module PRIVATE velkaro_web)
target_link_options(velkaro_module PRIVATE
  -lembind -sMODULARIZE=1 -sEXPORT_NAME=createVelkaro -sSINGLE_FILE=1 -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1 -sFILESYSTEM=0)

set(VELKARO_PAGE_DIR ${CMAKE_BINARY_DIR}/page)
set(page_sources ${CMAKE_CURRENT_SOURCE_DIR}/page)
# The page shows the project's version.
configure_file(${page_sources}/index.html ${CMAKE_CURRENT_BINARY_DIR}/index.html @ONLY)
add_custom_command(
  OUTPUT ${VELKARO_PAGE_DIR}/velkaro.js ${VELKARO_PAGE_DIR}/index.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELKARO_PAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E cat $<TARGET_FILE:velkaro_module> ${page_sources}/page.js
          > ${VELKARO_PAGE_DIR}/velkaro.js
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_BINARY_DIR}/index.html ${VELKARO_PAGE_DIR}/index.html
  DEPENDS velkaro_module ${page_sources}/page.js ${CMAKE_CURRENT_BINARY_DIR}/index.html
  COMMENT "Putting the page together in ${VELKARO_PAGE_DIR}"
  VERBATIM)
add_custom_target(velkaro_page ALL
  DEPENDS ${VELKARO_PAGE_DIR}/velkaro.js ${VELKARO_PAGE_DIR}/index.html)
