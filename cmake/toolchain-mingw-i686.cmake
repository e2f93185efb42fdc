# Cross-builds the Windows DLL and its host tests with mingw-w64 (i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_OBJDUMP i686-w64-mingw32-objdump)
set(CMAKE_DLLTOOL i686-w64-mingw32-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows test programs through Wine. The caller may name
# another loader (for instance one run under an emulator) in WINE_LOADER.
if(DEFINED ENV{WINE_LOADER})
  set(CMAKE_CROSSCOMPILING_EMULATOR $ENV{WINE_LOADER})
else()
  find_program(WINE_PROGRAM NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(NOT WINE_PROGRAM)
    find_program(WINE_PROGRAM NAMES wine)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
