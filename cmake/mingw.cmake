# Windows console programs, cross-compiled with MinGW-w64 for the target ${mingw_target}.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER ${mingw_target}-g++)
set(CMAKE_RC_COMPILER ${mingw_target}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
