# Cross-compiles the 32-bit Velkaro.scr with MinGW-w64 (i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELKARO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# SSE arithmetic, as on the host and on x86_64 where it is the only kind, so
# that every build computes the same floats (x87 keeps excess precision).
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
