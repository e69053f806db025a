# Cross-compiling for 64-bit Windows with Debian's mingw-w64, posix thread model (std::thread
# and std::mutex need it). Libraries are searched in the mingw sysroot and in the folder this
# file sits in, so a copy of it inside the dependency cache also finds the cache's Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PEMU_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PEMU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEMU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PEMU_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PEMU_MINGW_TRIPLE} ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
