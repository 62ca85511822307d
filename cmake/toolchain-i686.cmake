# 32-bit Windows (PE32): the installer side.
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
