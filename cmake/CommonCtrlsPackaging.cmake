# Debian packages, one for each install component, made by cpack in the build folder
# (docs/packages.md):
#
#   cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr   # /usr: Debian's multiarch libdir
#   cmake --build build --target all docs
#   (cd build && cpack -G DEB)                        # writes build/packages/*.deb
#
# The Qt 5 build makes libcommonctrls0, libcommonctrls-dev, libcommonctrls-designer,
# libcommonctrls-l10n, commonctrls-doc and python3-commonctrls; the Qt 6 build the same
# set named commonctrls6 (libcommonctrls6-0, ...), whose files are all its own, so both
# sets install together.
if(NOT COMMONCTRLS_TOP_LEVEL)
    return() # a host that builds the library in its own tree packages it its own way
endif()

set(COMMONCTRLS_DEB_MAINTAINER "CommonCtrls developers <commonctrls@example.org>" CACHE STRING
    "Maintainer field and changelog signature of the Debian packages")

# Debian's names: every package of a build carries the data name (commonctrls, or
# commonctrls6); the runtime's also carries the SONAME's version, after a hyphen when
# the name ends in a digit (libCommonCtrls.so.0 -> libcommonctrls0,
# libCommonCtrls6.so.0 -> libcommonctrls6-0).
set(_deb_name ${COMMONCTRLS_DATA_NAME})
get_target_property(_deb_soversion CommonCtrls SOVERSION)
if(_deb_name MATCHES "[0-9]$")
    set(_deb_runtime lib${_deb_name}-${_deb_soversion})
else()
    set(_deb_runtime lib${_deb_name}${_deb_soversion})
endif()
if(COMMONCTRLS_QT_MAJOR EQUAL 6)
    set(_deb_qt_dev qt6-base-dev)
    set(_deb_pyqt python3-pyqt6)
else()
    set(_deb_qt_dev qtbase5-dev)
    set(_deb_pyqt python3-pyqt5)
endif()

# One row per component: its package, section, whether the package is
# architecture-independent, the packages it depends on beside those dpkg-shlibdeps finds
# (components of this build, then other Debian packages), its synopsis and description.
set(_deb_components)
function(commonctrls_deb_package component)
    cmake_parse_arguments(PARSE_ARGV 1 arg "ARCH_ALL" "NAME;SECTION;SUMMARY;DESCRIPTION"
        "DEPENDS_ON;DEBIAN_DEPENDS")
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${arg_NAME} PARENT_SCOPE)
    set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${arg_SECTION} PARENT_SCOPE)
    set(CPACK_DEBIAN_${upper}_DESCRIPTION "${arg_SUMMARY}\n${arg_DESCRIPTION}" PARENT_SCOPE)
    set(CPACK_COMPONENT_${upper}_DEPENDS ${arg_DEPENDS_ON} PARENT_SCOPE)
    list(JOIN arg_DEBIAN_DEPENDS ", " depends)
    set(CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS "${depends}" PARENT_SCOPE)
    if(arg_ARCH_ALL)
        set(CPACK_DEBIAN_${upper}_PACKAGE_ARCHITECTURE all PARENT_SCOPE)
    endif()
    set(_deb_components ${_deb_components} ${component} PARENT_SCOPE)
    set(_deb_package_${component} ${arg_NAME} PARENT_SCOPE)
endfunction()

set(_deb_qt "Qt ${COMMONCTRLS_QT_MAJOR}")
set(_deb_summary "custom ${_deb_qt} widgets for media applications")
# Description lines stay below 80 columns: Debian shows them as written.
set(_deb_about "CommonCtrls is a library of custom Qt Widgets for desktop media
applications: seek and trim bars, time editors, video viewers and the buttons,
sliders and lists around them.\n")
commonctrls_deb_package(runtime NAME ${_deb_runtime} SECTION libs
    SUMMARY "${_deb_summary} - library"
    DESCRIPTION "${_deb_about}\nThis package holds the shared library for ${_deb_qt}.")
commonctrls_deb_package(development NAME lib${_deb_name}-dev SECTION libdevel
    DEPENDS_ON runtime
    DEBIAN_DEPENDS "${_deb_qt_dev} (>= ${COMMONCTRLS_QT_MIN_VERSION})"
    SUMMARY "${_deb_summary} - development files"
    DESCRIPTION "${_deb_about}\nThis package holds the headers, the CMake package ${COMMONCTRLS_PACKAGE}
and the pkg-config file ${COMMONCTRLS_PACKAGE}.pc for building against the library.")
commonctrls_deb_package(designer NAME lib${_deb_name}-designer SECTION devel
    DEPENDS_ON runtime
    SUMMARY "${_deb_summary} - Designer plugin"
    DESCRIPTION "${_deb_about}\nThis package holds the ${_deb_qt} Designer plugin, which puts every widget
of the library in Designer's widget box.")
commonctrls_deb_package(translations NAME lib${_deb_name}-l10n SECTION localization ARCH_ALL
    SUMMARY "${_deb_summary} - translations"
    DESCRIPTION "${_deb_about}\nThis package holds the translations of the library's texts, which
applications load with QTranslator from
/usr/share/${COMMONCTRLS_DATA_NAME}/translations.")
commonctrls_deb_package(doc NAME ${COMMONCTRLS_DOC_PACKAGE} SECTION doc ARCH_ALL
    SUMMARY "${_deb_summary} - API reference"
    DESCRIPTION "${_deb_about}\nThis package holds the API reference in HTML, in
/usr/share/doc/${COMMONCTRLS_DOC_PACKAGE}/html.")
commonctrls_deb_package(python NAME python3-${_deb_name} SECTION python
    DEPENDS_ON runtime
    DEBIAN_DEPENDS python3 ${_deb_pyqt}
    SUMMARY "${_deb_summary} - Python module"
    DESCRIPTION "${_deb_about}\nThis package holds the Python module ${COMMONCTRLS_PACKAGE} for PyQt${COMMONCTRLS_QT_MAJOR}.")

# Only the components this build installs anything into are packaged: without Doxygen
# there is no doc package, without the bindings no Python one. Programs such as the
# gallery install outside these components and are never packaged.
get_cmake_property(_deb_installed COMPONENTS)
set(CPACK_COMPONENTS_ALL)
foreach(component IN LISTS _deb_components)
    if(component IN_LIST _deb_installed)
        list(APPEND CPACK_COMPONENTS_ALL ${component})
    endif()
endforeach()

# Every package carries its copyright file and the Debian changelog. They install only
# with their component, as cpack does, not in a full "cmake --install".
set(COMMONCTRLS_DEB_SOURCE ${_deb_name})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(COMMONCTRLS_DEB_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
string(TIMESTAMP COMMONCTRLS_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC) # SOURCE_DATE_EPOCH sets it
set(_deb_dir ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${_deb_dir}/changelog @ONLY)
find_program(COMMONCTRLS_GZIP gzip REQUIRED)
execute_process(COMMAND ${COMMONCTRLS_GZIP} -9nc ${_deb_dir}/changelog
    OUTPUT_FILE ${_deb_dir}/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
    set(COMMONCTRLS_DEB_PACKAGE ${_deb_package_${component}})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in
        ${_deb_dir}/${COMMONCTRLS_DEB_PACKAGE}/copyright @ONLY)
    install(FILES ${_deb_dir}/${COMMONCTRLS_DEB_PACKAGE}/copyright ${_deb_dir}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${COMMONCTRLS_DEB_PACKAGE}
        COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
# lintian takes the pkg-config file's -fPIC for a leaked build flag; it is one that every
# user of Qt's headers needs (packaging/lintian-overrides.in).
set(COMMONCTRLS_DEB_PACKAGE ${_deb_package_development})
set(COMMONCTRLS_DEB_PC_FILE usr/${CMAKE_INSTALL_LIBDIR}/pkgconfig/${COMMONCTRLS_PACKAGE}.pc)
configure_file(${PROJECT_SOURCE_DIR}/packaging/lintian-overrides.in
    ${_deb_dir}/${COMMONCTRLS_DEB_PACKAGE}/lintian-overrides @ONLY)
install(FILES ${_deb_dir}/${COMMONCTRLS_DEB_PACKAGE}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${COMMONCTRLS_DEB_PACKAGE}
    COMPONENT development EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${_deb_name})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "") # each package has its own synopsis
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMMONCTRLS_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX}) # checked by cpack
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_project.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE ${COMMONCTRLS_DEB_SOURCE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${COMMONCTRLS_DEB_MAINTAINER}")
# Dependencies on system libraries come from dpkg-shlibdeps; those between the packages
# of this build are exact versions. The plugin and the Python module link the library
# from this build, which dpkg-shlibdeps finds in its build folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_target_property(_deb_built_libdir CommonCtrls LIBRARY_OUTPUT_DIRECTORY)
if(NOT _deb_built_libdir)
    get_target_property(_deb_built_libdir CommonCtrls BINARY_DIR)
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${_deb_built_libdir})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The runtime package's library goes into the loader's cache through dpkg's trigger.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
include(CPack)
