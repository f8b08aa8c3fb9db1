# Cross-compiling for 64-bit Windows: the same program, for machines whose Wine runs only
# 64-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-w64.cmake)
