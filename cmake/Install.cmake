# cmake --install: the header, the DLL with its import libraries and symbols,
# and a CMake package whose imported target PositionWindow::PositionWindow a
# host links against.
#
# INSTALL_LAYOUT=prefix (the default) installs a CMake prefix: bin/, lib/,
# include/ and lib/cmake/PositionWindow/. INSTALL_LAYOUT=devel-zip lays out
# the release archive instead: include/, everything for the machine in
# lib/x86/ or lib/x64/, and cmake/, so that a 32-bit and a 64-bit build
# install into the same folder (./scripts/package does).
include(CMakePackageConfigHelpers)

set(INSTALL_LAYOUT prefix CACHE STRING "What cmake --install lays out: prefix or devel-zip")
set_property(CACHE INSTALL_LAYOUT PROPERTY STRINGS prefix devel-zip)

if(INSTALL_LAYOUT STREQUAL "prefix")
  set(_bin bin)
  set(_lib lib)
  set(_cmake lib/cmake/PositionWindow)
  # Read by the config file, relative to its own folder.
  set(CONFIG_ROOT ../../..)
  set(CONFIG_BIN_DIR bin)
  set(CONFIG_LIB_DIR lib)
  # The version file turns away a consumer whose pointer size differs.
  set(_arch_independent)
elseif(INSTALL_LAYOUT STREQUAL "devel-zip")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_lib lib/x64)
  else()
    set(_lib lib/x86)
  endif()
  set(_bin ${_lib})
  set(_cmake cmake)
  set(CONFIG_ROOT ..)
  # Both machines share the config file, which picks the consumer's folder.
  set(CONFIG_BIN_DIR "lib/\${_PositionWindow_machine}")
  set(CONFIG_LIB_DIR "lib/\${_PositionWindow_machine}")
  set(_arch_independent ARCH_INDEPENDENT)
else()
  message(FATAL_ERROR "INSTALL_LAYOUT is '${INSTALL_LAYOUT}'; it takes prefix or devel-zip")
endif()

install(TARGETS PositionWindow RUNTIME DESTINATION ${_bin} ARCHIVE DESTINATION ${_lib})
install(FILES placement/include/PositionWindow.h DESTINATION include)
# The licence asks that its notice stay with the software; the changelog is
# what a host developer with only the kit reads before an update. At the
# archive's root, or with the prefix's documentation.
if(INSTALL_LAYOUT STREQUAL "devel-zip")
  install(FILES LICENSE.txt CHANGELOG.md DESTINATION .)
else()
  install(FILES LICENSE.txt CHANGELOG.md DESTINATION share/doc/PositionWindow)
endif()
if(MSVC)
  install(FILES $<TARGET_PDB_FILE:PositionWindow> DESTINATION ${_bin})
endif()
if(MINGW_IMPORT_LIBRARY)
  install(FILES ${MINGW_IMPORT_LIBRARY} DESTINATION ${_lib})
endif()

configure_file(cmake/PositionWindowConfig.cmake.in PositionWindowConfig.cmake @ONLY)
write_basic_package_version_file(PositionWindowConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ${_arch_independent})
if(INSTALL_LAYOUT STREQUAL "devel-zip")
  configure_file(docs/kit/README.md.in kit-README.md @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kit-README.md DESTINATION . RENAME README.md)
endif()

install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/PositionWindowConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/PositionWindowConfigVersion.cmake
  DESTINATION ${_cmake})
