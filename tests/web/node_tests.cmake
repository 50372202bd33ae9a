# The unit tests of the portable code as WebAssembly under node (the
# toolchain's CROSSCOMPILING_EMULATOR), label "web" beside the browser's. The
# engine's digests among them show that the page computes the frames that
# every other build computes. No test of these reads or writes a file, so the
# programs have no file system. As under Wine, each program is one ctest test:
# a start of node costs more than most cases do.
foreach(program velkaro_unit_tests velkaro_allocation_tests)
  # EXIT_RUNTIME: node's exit status is the program's, and the output is
  # flushed before it ends. SINGLE_FILE: the module inlined, because this
  # emscripten's loader would fetch() a .wasm beside it by a bare path, which
  # node's fetch refuses.
  target_link_options(${program} PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME=1
    -sALLOW_MEMORY_GROWTH=1 -sFILESYSTEM=0 -sSINGLE_FILE=1)
endforeach()
add_test(NAME unit_tests_under_node COMMAND velkaro_unit_tests)
add_test(NAME allocation_tests_under_node COMMAND velkaro_allocation_tests)
set_tests_properties(unit_tests_under_node allocation_tests_under_node PROPERTIES
  LABELS "web;node" TIMEOUT 600)
