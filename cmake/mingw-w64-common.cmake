# What both MinGW-w64 toolchains share: the Windows target, the compilers of
# the triple the including file sets, a static runtime so that Velkaro.scr
# needs nothing but system DLLs, and Wine as the emulator that ctest runs
# every test program through.
set(CMAKE_SYSTEM_NAME Windows)

# The compilers of the "win32" thread model: those of the "posix" one link the
# static winpthreads into every program, whose imports (GetTickCount64 among
# them) keep Velkaro.scr from loading on anything older than Windows Vista.
# Nothing here starts a thread of its own.
set(CMAKE_C_COMPILER ${VELKARO_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VELKARO_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VELKARO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELKARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No link time in the PE header (the linker writes one by default), so that
# the same sources give the same Velkaro.scr bytes on every build.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# The wrapper gets the build tree so that it can keep the Wine prefix and the
# test display's state there.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;${CMAKE_BINARY_DIR}")
