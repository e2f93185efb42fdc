# The real DLL, for Windows: MSVC or mingw-w64.
enable_language(RC)

add_library(PositionWindow SHARED
  ${PLACEMENT_SOURCES}
  placement/PositionWindow.def
  placement/PositionWindow.rc)
target_include_directories(PositionWindow PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/placement/include)
target_link_libraries(PositionWindow PRIVATE editor_naming)
set_target_properties(PositionWindow PROPERTIES PREFIX "")

if(MSVC)
  target_link_options(PositionWindow PRIVATE /DYNAMICBASE /NXCOMPAT)
else()
  # Nothing the host would have to ship beside the DLL: the GCC runtimes are
  # linked in, and the code needs neither exceptions nor RTTI.
  target_compile_options(editor_naming PRIVATE -fno-exceptions -fno-rtti)
  target_compile_options(PositionWindow PRIVATE -fno-exceptions -fno-rtti)
  target_link_options(PositionWindow PRIVATE
    -static-libgcc -static-libstdc++
    -Wl,--dynamicbase -Wl,--nxcompat
    # The .def names the export undecorated, as MSVC's does; let ld bind it
    # to the stdcall symbol _PositionWindow@16 without a warning.
    -Wl,--enable-stdcall-fixup
    $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()

add_subdirectory(demo)

# The library against the bare platform calls it has to make, under Wine;
# see docs/performance.md.
add_executable(wine_benchmark bench/wine_benchmark.cpp)
target_include_directories(wine_benchmark PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
set_target_properties(wine_benchmark PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(wine_benchmark PositionWindow)
if(MINGW)
  target_link_options(wine_benchmark PRIVATE -static-libgcc -static-libstdc++)
endif()

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests/win32)
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
