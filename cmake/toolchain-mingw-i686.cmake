# Cross-builds the Windows DLL and its host tests with mingw-w64 (i686).
set(MINGW_ARCH i686)
set(MINGW_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
