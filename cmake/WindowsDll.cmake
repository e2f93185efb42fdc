# The real DLL, for Windows: MSVC (or clang-cl) or mingw-w64.
enable_language(RC)

# With DEMO, WINE_BENCHMARK and BUILD_TESTING off, the build makes the DLL and
# its import libraries alone. A CRT-free toolchain (see
# clang-cl-toolchain-common.cmake) cannot link the programs; there the first
# two default to off and BUILD_TESTING runs the tests of tests/kit.
if(CRT_FREE_TOOLCHAIN)
  set(_programs_default OFF)
else()
  set(_programs_default ON)
endif()
option(DEMO "Build the demo host" ${_programs_default})
option(WINE_BENCHMARK "Build the Wine benchmark" ${_programs_default})

if(MSVC)
  # The default flags turn on exceptions and RTTI for every target. The
  # library wants neither; the programs get them back below.
  string(REGEX REPLACE "(^| )/GR( |$)" " " CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
  string(REGEX REPLACE "(^| )/EHsc( |$)" " " CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
  # Optimised for size, not speed: a call runs a few hundred instructions
  # per open editor, once per editor opened, while every byte ships in the
  # host's release, and the 32-bit DLL has a 10 KiB budget.
  string(REGEX REPLACE "(^| )/O2( |$)" " /O1 " CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
endif()

add_library(PositionWindow SHARED
  ${PLACEMENT_SOURCES}
  placement/PositionWindow.def
  placement/PositionWindow.rc)
target_include_directories(PositionWindow PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/placement/include)
target_link_libraries(PositionWindow PRIVATE editor_naming)
set_target_properties(PositionWindow PROPERTIES PREFIX "")

# The version resource takes its numbers from project(VERSION) and its
# copyright from LICENSE.txt.
file(STRINGS LICENSE.txt PositionWindow_COPYRIGHT LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE.txt)
configure_file(cmake/PositionWindowVersion.h.in generated/PositionWindowVersion.h @ONLY)
target_include_directories(PositionWindow PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)

if(MSVC)
  # Nothing the host would have to ship beside the DLL: the C runtime is
  # linked in statically (no VCRUNTIME or UCRT redistributable), and the code
  # needs neither exceptions nor RTTI.
  set_property(TARGET PositionWindow editor_naming PROPERTY
    MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  foreach(library PositionWindow editor_naming)
    target_compile_options(${library} PRIVATE /GR- /EHs-c-)
    target_compile_definitions(${library} PRIVATE _HAS_EXCEPTIONS=0)
    # Symbols in every configuration, kept in the objects (no compiler PDB).
    target_compile_options(${library} PRIVATE "$<$<IN_LIST:$<CONFIG>,Release;MinSizeRel>:/Z7>")
  endforeach()
  # PositionWindow.pdb beside the DLL, which names it without its build
  # folder. /DEBUG would keep unreferenced code; /OPT:REF,ICF drop it again.
  target_link_options(PositionWindow PRIVATE /DYNAMICBASE /NXCOMPAT /PDBALTPATH:%_PDB%
    "$<$<IN_LIST:$<CONFIG>,Release;MinSizeRel>:/DEBUG;/OPT:REF;/OPT:ICF>")

  # The mitigations of a Visual Studio security build, which the analysers
  # of a host's release (BinSkim) look for in everything it ships: stack
  # cookies, Control Flow Guard (without it all of the DLL's code would
  # count as a valid call target in the host's process), and on x64 shadow
  # stack compatibility and 64-bit ASLR.
  foreach(library PositionWindow editor_naming)
    target_compile_options(${library} PRIVATE /GS /guard:cf)
  endforeach()
  target_link_options(PositionWindow PRIVATE /guard:cf)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(PositionWindow PRIVATE /CETCOMPAT /HIGHENTROPYVA)
  endif()

  if(CRT_FREE_TOOLCHAIN)
    # No C runtime library exists here. The DLL needs no C runtime start-up
    # as long as nothing in it has a dynamic initialiser (the binary check
    # makes sure), and it takes malloc, strlen and the like from the
    # system's msvcrt.dll.
    include(cmake/SystemImportLibraries.cmake)
    foreach(library PositionWindow editor_naming)
      target_compile_options(${library} PRIVATE /Zl)
    endforeach()
    # What the C runtime would supply for /GS and /guard:cf: the load
    # configuration, the stack cookie and its check, the guard's pointers.
    # lld 14 would give the guard's pointers a section of their own, half a
    # kilobyte of file for one pointer or two; link.exe and later lld merge
    # it into .rdata, as here.
    target_sources(PositionWindow PRIVATE runtime/crt_free_security.cpp)
    target_link_options(PositionWindow PRIVATE /MERGE:.00cfg=.rdata)
    target_link_options(PositionWindow PRIVATE /NOENTRY /NODEFAULTLIB)
    target_link_libraries(PositionWindow PRIVATE ${SYSTEM_IMPORT_LIBRARIES})
    add_dependencies(PositionWindow system_import_libraries)
  endif()

  # mingw's import library too, for hosts built with g++, where a dlltool
  # exists (a Visual Studio build can be given -DCMAKE_DLLTOOL=...). The
  # 32-bit one names the stdcall symbol _PositionWindow@16 and imports it by
  # the undecorated name (-k), as the linker's PositionWindow.lib does. Run
  # in the build folder so that no path finds its way into the members.
  if(CMAKE_DLLTOOL)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(_machine i386)
      set(_export PositionWindow@16)
    else()
      set(_machine i386:x86-64)
      set(_export PositionWindow)
    endif()
    set(MINGW_IMPORT_LIBRARY ${CMAKE_CURRENT_BINARY_DIR}/libPositionWindow.dll.a)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/PositionWindow-mingw.def
      "LIBRARY PositionWindow.dll\nEXPORTS\n    ${_export}\n")
    add_custom_command(OUTPUT ${MINGW_IMPORT_LIBRARY}
      COMMAND ${CMAKE_DLLTOOL} -m ${_machine} -k -d PositionWindow-mingw.def
              -D PositionWindow.dll -l libPositionWindow.dll.a
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/PositionWindow-mingw.def
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      VERBATIM)
    add_custom_target(mingw_import_library ALL DEPENDS ${MINGW_IMPORT_LIBRARY})
  endif()

  # The test and demo programs keep the usual exceptions and RTTI.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:/GR;/EHsc>")
else()
  # Nothing the host would have to ship beside the DLL: the GCC runtimes are
  # linked in, and the code needs neither exceptions nor RTTI.
  target_compile_options(editor_naming PRIVATE -fno-exceptions -fno-rtti)
  target_compile_options(PositionWindow PRIVATE -fno-exceptions -fno-rtti)
  target_link_options(PositionWindow PRIVATE
    -static-libgcc -static-libstdc++
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--no-insert-timestamp
    # The .def names the export undecorated, as MSVC's does; let ld bind it
    # to the stdcall symbol _PositionWindow@16 without a warning.
    -Wl,--enable-stdcall-fixup
    $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()

# What the Windows SDK's <windows.h> defines and mingw-w64's does not, for
# the programs below (the library itself is built before this): a name the
# SDK takes then fails here, not first in Visual Studio. rpcndr.h, which the
# full <windows.h> includes, says `#define small char` unconditionally;
# mingw-w64's only for the resource compiler. clang-cl's builds here read
# mingw-w64's headers too.
if(MINGW OR CRT_FREE_TOOLCHAIN)
  add_compile_definitions($<$<COMPILE_LANGUAGE:CXX>:small=char>)
endif()

if(DEMO)
  add_subdirectory(demo)
endif()

# The library against the bare platform calls it has to make, under Wine;
# see docs/performance.md.
if(WINE_BENCHMARK)
  add_executable(wine_benchmark bench/wine_benchmark.cpp)
  target_include_directories(wine_benchmark PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(wine_benchmark PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_dependencies(wine_benchmark PositionWindow)
  if(MINGW)
    target_link_options(wine_benchmark PRIVATE -static-libgcc -static-libstdc++)
  endif()
endif()

include(CTest)
if(BUILD_TESTING)
  if(CRT_FREE_TOOLCHAIN)
    add_subdirectory(tests/kit)
  else()
    add_subdirectory(tests/win32)
  endif()
endif()

# A 32-bit host that declares the function WINAPI refers to
# _PositionWindow@16, but ld's import library names it _PositionWindow.
# Rebuild the import library from the decorated name, importing it by the
# undecorated one (dlltool --kill-at).
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(DECORATED_DEF ${CMAKE_CURRENT_BINARY_DIR}/PositionWindow-decorated.def)
  file(WRITE ${DECORATED_DEF} "LIBRARY PositionWindow.dll\nEXPORTS\n    PositionWindow@16\n")
  add_custom_command(TARGET PositionWindow POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${DECORATED_DEF}
            --dllname PositionWindow.dll --output-lib $<TARGET_LINKER_FILE:PositionWindow>
    VERBATIM)
endif()

include(cmake/Install.cmake)
