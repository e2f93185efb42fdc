# Builds the DLL with the MSVC ABI for 64-bit Windows: clang-cl, lld-link.
set(CLANG_CL_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-cl-toolchain-common.cmake)
