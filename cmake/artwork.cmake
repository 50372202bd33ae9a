# The pictures of Velkaro.scr are rendered at build time by velkaro-art, a
# host program from this same tree, so that every thumbnail is a frame of its
# own pattern as this build's engine draws it. Nothing generated is kept in
# the source tree.
#
# The Windows build builds velkaro-art natively into host-tools/
# (cmake/host_tools.cmake), runs it into art/ and compiles the resource
# script it writes into Velkaro.scr.
if(NOT VELKARO_WINDOWS)
  return()
endif()

enable_language(RC)
include(${PROJECT_SOURCE_DIR}/cmake/host_tools.cmake)
velkaro_host_tools(TOOLS velkaro-art)

set(VELKARO_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(velkaro_art_script ${VELKARO_ART_DIR}/velkaro_art.rc)

# velkaro-art rewrites every picture and then the script, so the script is
# the newest file and a new script means new pictures.
add_custom_command(OUTPUT ${velkaro_art_script}
  COMMAND ${velkaro_host_velkaro-art_program} ${VELKARO_ART_DIR}
  DEPENDS ${velkaro_host_velkaro-art_program} velkaro_host_tools
  COMMENT "Rendering the pictures of Velkaro.scr"
  VERBATIM)

# windres finds the pictures beside the script and resource_ids.h through
# the source folder, which velkaro_core puts on every include path.
target_sources(Velkaro PRIVATE ${velkaro_art_script})
# The same pictures for test programs that link the script themselves.
add_custom_target(velkaro_art DEPENDS ${velkaro_art_script})
