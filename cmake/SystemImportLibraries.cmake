# MSVC-format import libraries for the system DLLs, made from the .def files
# in system-imports/ by llvm-dlltool (LLVM_DLLTOOL) for a toolchain that
# brings no Windows SDK. Defines
# SYSTEM_IMPORT_LIBRARIES (full paths) and the target system_import_libraries
# that makes them.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_machine i386:x86-64)
else()
  set(_machine i386)
endif()

set(SYSTEM_IMPORT_LIBRARIES)
foreach(dll kernel32 user32 msvcrt)
  set(_def ${CMAKE_CURRENT_LIST_DIR}/system-imports/${dll}.def)
  set(_lib ${CMAKE_BINARY_DIR}/system-imports/${dll}.lib)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_def})
  file(READ ${_def} _text)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # 64-bit Windows has one calling convention and no decorated names.
    string(REGEX REPLACE "@[0-9]+" "" _text "${_text}")
  endif()
  set(_out ${CMAKE_BINARY_DIR}/system-imports/${dll}.def)
  set(_old)
  if(EXISTS ${_out})
    file(READ ${_out} _old)
  endif()
  if(NOT _old STREQUAL _text)
    file(WRITE ${_out} "${_text}")
  endif()
  # -k: import by the undecorated name, as the system DLLs export them.
  add_custom_command(OUTPUT ${_lib}
    COMMAND ${LLVM_DLLTOOL} -m ${_machine} -k
            -d ${_out} -l ${_lib}
    DEPENDS ${_out}
    VERBATIM)
  list(APPEND SYSTEM_IMPORT_LIBRARIES ${_lib})
endforeach()
add_custom_target(system_import_libraries DEPENDS ${SYSTEM_IMPORT_LIBRARIES})
