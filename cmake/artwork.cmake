# The pictures of Velkaro.scr are rendered at build time by velkaro-art, a
# host program from this same tree, so that every thumbnail is a frame of its
# own pattern as this build's engine draws it. Nothing generated is kept in
# the source tree.
#
# The Windows build configures the tree a second time, natively with the
# host compiler (no toolchain file), into host-tools/, builds only the tools
# there, runs velkaro-art into art/ and compiles the resource script it
# writes into Velkaro.scr.
if(NOT VELKARO_WINDOWS)
  return()
endif()

include(ExternalProject)
enable_language(RC)

set(VELKARO_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(VELKARO_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(velkaro_art_program ${VELKARO_HOST_TOOLS_DIR}/tools/velkaro-art/velkaro-art)
set(velkaro_art_script ${VELKARO_ART_DIR}/velkaro_art.rc)

# The host build runs on every build; it is a no-op unless a source of the
# generator or of the engine changed. Ninja then sees whether the program
# was relinked and renders the pictures again only if it was.
ExternalProject_Add(velkaro_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${VELKARO_HOST_TOOLS_DIR}
  CMAKE_ARGS -DVELKARO_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target velkaro-art -j 2
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${velkaro_art_program}
)

# velkaro-art rewrites every picture and then the script, so the script is
# the newest file and a new script means new pictures.
add_custom_command(OUTPUT ${velkaro_art_script}
  COMMAND ${velkaro_art_program} ${VELKARO_ART_DIR}
  DEPENDS ${velkaro_art_program} velkaro_host_tools
  COMMENT "Rendering the pictures of Velkaro.scr"
  VERBATIM)

# windres finds the pictures beside the script and resource_ids.h through
# the source folder, which velkaro_core puts on every include path.
target_sources(Velkaro PRIVATE ${velkaro_art_script})
# The same pictures for test programs that link the script themselves.
add_custom_target(velkaro_art DEPENDS ${velkaro_art_script})
