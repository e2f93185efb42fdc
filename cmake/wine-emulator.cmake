# CTest runs the Windows test programs through Wine: the loader named
# WINE_LOADER_NAME (wine or wine64) from Debian's /usr/lib/wine, or from the
# PATH. The caller may name another loader in the environment's WINE_LOADER.
#
# The loader runs under wine-run.py, which says how each program ended (its
# exit status or the signal, and the prefix's wineserver): a program that
# dies before Wine prints anything would otherwise fail with no output at
# all. The emulator is then a list, python3 wine-run.py LOADER, which every
# user of CMAKE_CROSSCOMPILING_EMULATOR passes on whole.
if(DEFINED ENV{WINE_LOADER})
  set(WINE_PROGRAM $ENV{WINE_LOADER})
else()
  find_program(WINE_PROGRAM NAMES ${WINE_LOADER_NAME} PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(NOT WINE_PROGRAM)
    find_program(WINE_PROGRAM NAMES ${WINE_LOADER_NAME})
  endif()
endif()
find_program(WINE_RUN_PYTHON NAMES python3)
if(WINE_PROGRAM AND WINE_RUN_PYTHON)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/wine-run.py ${WINE_PROGRAM})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
