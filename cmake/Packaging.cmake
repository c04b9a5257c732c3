# Debian packages with CPack (cpack -G DEB in the build folder), one per install component:
#   entrybox                  Runtime: entrybox-script (and the shared libraries when built
#                             with BUILD_SHARED_LIBS=ON)
#   libentrybox-dev           Development: core headers, libraries, CMake package, pkg-config
#   libentrybox-qt-dev        QtDevelopment: the Qt 6 binding's headers, library, CMake file
#   entrybox-designer-plugin  Designer: the Qt Designer plugin
# Library dependencies come from dpkg-shlibdeps (Debian's qt6 packages for the plugin).
set(CPACK_PACKAGE_NAME entrybox)
set(CPACK_PACKAGE_VENDOR "entrybox developers")
set(CPACK_PACKAGE_CONTACT "entrybox developers <entrybox@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data-entry controls for numbers, dates and masked text")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Form files have no component of their own: they go with the core's development files.
# Only the parts this build has: no Qt, no Qt packages.
set(CPACK_COMPONENTS_ALL Development Unspecified)
if(ENTRYBOX_TOOLS OR BUILD_SHARED_LIBS)
  list(APPEND CPACK_COMPONENTS_ALL Runtime)
endif()
if(TARGET entrybox_qt)
  list(APPEND CPACK_COMPONENTS_ALL QtDevelopment)
endif()
if(TARGET entrybox_designer)
  list(APPEND CPACK_COMPONENTS_ALL Designer)
endif()
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
foreach(component Runtime Development QtDevelopment Designer Unspecified)
  string(TOUPPER ${component} upper)
  set(CPACK_COMPONENT_${upper}_GROUP ${component})
endforeach()
set(CPACK_COMPONENT_UNSPECIFIED_GROUP Development)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME entrybox)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libentrybox-dev)
if(BUILD_SHARED_LIBS)
  # The libraries themselves are in the runtime package.
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "entrybox (= ${PROJECT_VERSION})")
  set(CPACK_DEBIAN_DESIGNER_PACKAGE_DEPENDS "entrybox (= ${PROJECT_VERSION})")
endif()
set(CPACK_DEBIAN_QTDEVELOPMENT_PACKAGE_NAME libentrybox-qt-dev)
set(CPACK_DEBIAN_QTDEVELOPMENT_PACKAGE_DEPENDS
    "libentrybox-dev (= ${PROJECT_VERSION}), qt6-base-dev (>= ${ENTRYBOX_QT_VERSION_MAJOR_MINOR})")
set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME entrybox-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES designer-qt6)

set(CPACK_GENERATOR DEB)
include(CPack)
