# Installs the libraries with an exported CMake package, so that another project can
# find_package(entrybox) and link entrybox::entrybox (and, with COMPONENTS Qt,
# entrybox::qt), plus a pkg-config file for the core. Install components, one Debian
# package each (cmake/Packaging.cmake): Runtime, Development, QtDevelopment, Designer.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ENTRYBOX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/entrybox)

install(TARGETS entrybox EXPORT entrybox-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
          NAMELINK_COMPONENT Development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY entrybox/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/entrybox
  COMPONENT Development FILES_MATCHING PATTERN "*.h" PATTERN "qt" EXCLUDE)
install(EXPORT entrybox-targets NAMESPACE entrybox:: DESTINATION ${ENTRYBOX_CMAKE_DIR}
  COMPONENT Development)

# The Qt binding: its own export set, so that the core's package never loads Qt.
set(ENTRYBOX_QT_VERSION_MAJOR_MINOR "")
if(TARGET entrybox_qt)
  set(ENTRYBOX_QT_VERSION_MAJOR_MINOR "${ENTRYBOX_QT_VERSION}")
  install(TARGETS entrybox_qt EXPORT entrybox-qt-targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT QtDevelopment
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
            NAMELINK_COMPONENT QtDevelopment
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(DIRECTORY entrybox/qt/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/entrybox/qt
    COMPONENT QtDevelopment FILES_MATCHING PATTERN "*.h" PATTERN "designer" EXCLUDE)
  install(EXPORT entrybox-qt-targets NAMESPACE entrybox:: DESTINATION ${ENTRYBOX_CMAKE_DIR}
    COMPONENT QtDevelopment)
endif()

configure_package_config_file(cmake/entrybox-config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config.cmake INSTALL_DESTINATION ${ENTRYBOX_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/entrybox-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/entrybox-config-version.cmake DESTINATION ${ENTRYBOX_CMAKE_DIR}
  COMPONENT Development)

# pkg-config, for the core only; the prefix is found from the file's own place, so that an
# installed tree can be moved (or unpacked from a package into another root).
file(RELATIVE_PATH ENTRYBOX_PC_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" ENTRYBOX_PC_PREFIX "${ENTRYBOX_PC_PREFIX}")
configure_file(cmake/entrybox.pc.in ${CMAKE_CURRENT_BINARY_DIR}/entrybox.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/entrybox.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

if(ENTRYBOX_TOOLS)
  install(TARGETS entrybox-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
