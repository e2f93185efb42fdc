# Builds the DLL with the MSVC ABI for 32-bit Windows: clang-cl, lld-link.
set(CLANG_CL_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/clang-cl-toolchain-common.cmake)
