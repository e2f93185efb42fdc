# Shared by the clang-cl toolchain files, which set CLANG_CL_ARCH.
#
# Builds the DLL with the MSVC ABI on Linux: clang-cl, lld-link and llvm-rc
# over the mingw-w64 headers (C) and libstdc++'s (the few C++ wrappers the
# library includes). No Windows SDK or MSVC runtime library exists here, so
# the project links the DLL with no C runtime start-up against import
# libraries it makes from .def files (CRT_FREE_TOOLCHAIN), and builds no
# programs that would need a C runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CLANG_CL_ARCH})
set(CRT_FREE_TOOLCHAIN ON)

# Debian installs these tools under versioned names (clang-cl-19), and not
# every release adds unversioned ones: they are taken in the version of the
# unversioned clang, the LLVM that the release ships, so that one build never
# mixes two versions' tools.
find_program(LLVM_CLANG NAMES clang)
if(LLVM_CLANG)
  execute_process(COMMAND ${LLVM_CLANG} -dumpversion
    OUTPUT_VARIABLE _llvm_version OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _status)
  if(_status EQUAL 0 AND _llvm_version MATCHES "^([0-9]+)")
    set(LLVM_MAJOR ${CMAKE_MATCH_1})
  endif()
endif()
foreach(tool clang-cl lld-link llvm-rc llvm-lib llvm-dlltool llvm-readobj)
  set(_names_${tool} ${tool})
  if(LLVM_MAJOR)
    set(_names_${tool} ${tool}-${LLVM_MAJOR} ${tool})
  endif()
endforeach()
find_program(CLANG_CL NAMES ${_names_clang-cl} REQUIRED)
find_program(LLD_LINK NAMES ${_names_lld-link} REQUIRED)
find_program(LLVM_RC NAMES ${_names_llvm-rc} REQUIRED)
find_program(LLVM_LIB NAMES ${_names_llvm-lib} REQUIRED)
find_program(LLVM_DLLTOOL NAMES ${_names_llvm-dlltool} REQUIRED)
# The binary check reads the load configuration with it.
find_program(LLVM_READOBJ NAMES ${_names_llvm-readobj})

set(CMAKE_C_COMPILER ${CLANG_CL})
set(CMAKE_CXX_COMPILER ${CLANG_CL})
set(CMAKE_C_COMPILER_TARGET ${CLANG_CL_ARCH}-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET ${CLANG_CL_ARCH}-pc-windows-msvc)
set(CMAKE_LINKER ${LLD_LINK})
set(CMAKE_RC_COMPILER ${LLVM_RC})
set(CMAKE_AR ${LLVM_LIB})
# llvm-dlltool makes MSVC-format import libraries (SystemImportLibraries.cmake);
# mingw's dlltool makes mingw's for the kit, in the format its ld writes.
find_program(CMAKE_DLLTOOL NAMES ${CLANG_CL_ARCH}-w64-mingw32-dlltool)
# The binary check reads objdump's output; binutils reads any PE image.
find_program(CMAKE_OBJDUMP NAMES ${CLANG_CL_ARCH}-w64-mingw32-objdump)
# Without a C runtime the compiler checks cannot link a program, and the
# SDK's import libraries that CMake links by default do not exist.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C program")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "Libraries linked into every C++ program")

# The mingw-w64 headers take clang-cl for MSVC unless it also presents itself
# as GNU; strict ANSI keeps them from declaring GNU-only inline functions, and
# the 32-bit ones need to be told the machine.
file(GLOB MINGW_GCC_INCLUDE LIST_DIRECTORIES true /usr/lib/gcc/${CLANG_CL_ARCH}-w64-mingw32/*-win32/include)
list(GET MINGW_GCC_INCLUDE -1 MINGW_GCC_INCLUDE)
set(_flags "/clang:-fgnuc-version=4.2.1 -D__STRICT_ANSI__")
if(CLANG_CL_ARCH STREQUAL "i686")
  string(APPEND _flags " -D_X86_=1")
endif()
string(APPEND _flags
  " -imsvc ${MINGW_GCC_INCLUDE}/c++"
  " -imsvc ${MINGW_GCC_INCLUDE}/c++/${CLANG_CL_ARCH}-w64-mingw32"
  " -imsvc /usr/share/mingw-w64/include")
# The same bytes from any folder at any time: no timestamps, debug
# information that names the working folder "." rather than the build path,
# and command lines (which the objects and the PDB record) free of the
# source and build folders.
string(APPEND _flags " /Brepro /clang:-ffile-compilation-dir=.")
foreach(lang C CXX)
  set(CMAKE_${lang}_COMPILER_LAUNCHER
    ${CMAKE_CURRENT_LIST_DIR}/relative-paths.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
  set(CMAKE_${lang}_LINKER_LAUNCHER ${CMAKE_${lang}_COMPILER_LAUNCHER})
endforeach()
set(CMAKE_C_FLAGS_INIT "${_flags}")
set(CMAKE_CXX_FLAGS_INIT "${_flags}")
set(CMAKE_RC_FLAGS_INIT "/I /usr/share/mingw-w64/include")
foreach(kind SHARED EXE MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "/Brepro /pdbsourcepath:. /MANIFEST:NO")
endforeach()

if(CLANG_CL_ARCH STREQUAL "x86_64")
  set(WINE_LOADER_NAME wine64)
else()
  set(WINE_LOADER_NAME wine)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/wine-emulator.cmake)
