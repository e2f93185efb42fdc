# What the tests of tests/win32 and of tests/kit register alike.

# add_host_tests(COMMAND...): the Win32 host tests, COMMAND being the host
# program and the DLL it loads. Under Wine they run twice: in a single-byte
# ANSI code page (1252) and in a double-byte one (932, Japanese), which Wine
# takes from LC_ALL. On Windows itself (a Visual Studio build) the code page
# is the system's, and they run once, in it.
function(add_host_tests)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME host_test COMMAND ${ARGN} --code-page 1252)
    add_test(NAME host_test_cp932 COMMAND ${ARGN} --code-page 932)
    set_tests_properties(host_test PROPERTIES ENVIRONMENT LC_ALL=en_US.UTF-8)
    set_tests_properties(host_test_cp932 PROPERTIES ENVIRONMENT LC_ALL=ja_JP.UTF-8)
    set(tests host_test host_test_cp932)
  else()
    add_test(NAME host_test COMMAND ${ARGN})
    set(tests host_test)
  endif()
  # In the DLL's folder: under a multi-config generator (Visual Studio) the
  # programs and the DLL go to a folder per configuration, and the DLL would
  # otherwise be found only because Windows looks in the program's first.
  set_tests_properties(${tests} PROPERTIES
    WORKING_DIRECTORY $<TARGET_FILE_DIR:PositionWindow> RUN_SERIAL TRUE TIMEOUT 60)
endfunction()

# add_binary_check(NAME ARGUMENTS...): tests/win32/check_binary.py over this
# build's DLL, against the project's version, changelog and licence, with
# ARGUMENTS (the objdump, the machine, the objects, the checks to add).
function(add_binary_check name)
  add_test(NAME ${name}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/win32/check_binary.py
      --dll $<TARGET_FILE:PositionWindow>
      --version ${PROJECT_VERSION}
      --changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md
      --licence ${PROJECT_SOURCE_DIR}/LICENSE.txt
      ${ARGN})
endfunction()
