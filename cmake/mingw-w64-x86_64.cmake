# Cross-compiles the 64-bit Velkaro.scr with MinGW-w64 (x86_64). Floats use
# SSE there already, as on the host.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELKARO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
