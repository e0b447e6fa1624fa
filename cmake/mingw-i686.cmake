# 32-bit Windows console programs.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(mingw_target i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
