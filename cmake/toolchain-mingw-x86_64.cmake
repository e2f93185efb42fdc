# Cross-builds the Windows DLL and its host tests with mingw-w64 (x86_64).
set(MINGW_ARCH x86_64)
set(MINGW_WINE wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
