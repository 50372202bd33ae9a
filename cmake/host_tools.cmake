# A tree built with a cross toolchain (MinGW for Velkaro.scr, emscripten for
# the web page) still needs programs of this same source that run here: the
# Windows build renders its pictures with velkaro-art, the web tree's tests
# compare the page with velkaro-render. velkaro_host_tools configures the
# tree a second time, natively with the host compiler (no toolchain file),
# into host-tools/, and builds only the named tools there.
#
# velkaro_host_tools(TOOLS tool...) adds the target velkaro_host_tools and
# sets, for each tool, velkaro_host_<tool>_program (in the caller's scope) to
# the program's path, which a custom command may depend on.
include(ExternalProject)

set(VELKARO_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)

function(velkaro_host_tools)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "TOOLS")
  set(programs)
  foreach(tool ${arg_TOOLS})
    set(program ${VELKARO_HOST_TOOLS_DIR}/tools/${tool}/${tool})
    list(APPEND programs ${program})
    set(velkaro_host_${tool}_program ${program} PARENT_SCOPE)
  endforeach()
  # The host build runs on every build; it is a no-op unless a source of a
  # tool or of the engine changed. Ninja then sees whether a program was
  # relinked and reruns what depends on it only if it was.
  ExternalProject_Add(velkaro_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${VELKARO_HOST_TOOLS_DIR}
    CMAKE_ARGS -DVELKARO_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${arg_TOOLS} -j 2
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${programs}
  )
endfunction()
