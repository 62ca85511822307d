# 64-bit Windows (PE32+): the login side.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
