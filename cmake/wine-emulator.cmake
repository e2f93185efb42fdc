# CTest runs the Windows test programs through Wine: the loader named
# WINE_LOADER_NAME (wine or wine64) from Debian's /usr/lib/wine, or from the
# PATH. The caller may name another loader in the environment's WINE_LOADER.
if(DEFINED ENV{WINE_LOADER})
  set(CMAKE_CROSSCOMPILING_EMULATOR $ENV{WINE_LOADER})
else()
  find_program(WINE_PROGRAM NAMES ${WINE_LOADER_NAME} PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(NOT WINE_PROGRAM)
    find_program(WINE_PROGRAM NAMES ${WINE_LOADER_NAME})
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
