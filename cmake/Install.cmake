# Installs the core library with an exported CMake package, so that another project can
# find_package(entrybox) and link entrybox::entrybox.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ENTRYBOX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/entrybox)

install(TARGETS entrybox EXPORT entrybox-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY entrybox/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/entrybox
  FILES_MATCHING PATTERN "*.h" PATTERN "qt" EXCLUDE)
install(EXPORT entrybox-targets NAMESPACE entrybox:: DESTINATION ${ENTRYBOX_CMAKE_DIR})

configure_package_config_file(cmake/entrybox-config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config.cmake INSTALL_DESTINATION ${ENTRYBOX_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/entrybox-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config-version.cmake DESTINATION ${ENTRYBOX_CMAKE_DIR})

if(ENTRYBOX_TOOLS)
  install(TARGETS entrybox-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
