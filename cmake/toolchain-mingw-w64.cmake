# The MinGW-w64 cross toolchain (posix thread model for std::mutex), shared by the
# toolchain files of the two targets; they set MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_AR ${MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The prefix of cross-built libraries made by scripts/setup.sh (or MSYS2's on Windows).
if(DEFINED ENV{OCELOT_WIN_PREFIX})
  list(APPEND CMAKE_FIND_ROOT_PATH $ENV{OCELOT_WIN_PREFIX})
endif()
if(OCELOT_WIN_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${OCELOT_WIN_PREFIX})
endif()
