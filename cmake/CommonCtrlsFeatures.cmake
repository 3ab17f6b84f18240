# The optional parts of the build and what they need, decided once for the whole project
# so that every folder sees the same answers whatever order the folders are added in.

include(GNUInstallDirs)

# Built on its own, or inside a host's tree: a host keeps its own target names (such as
# "docs") and its own packaging.
if(CMAKE_SOURCE_DIR STREQUAL PROJECT_SOURCE_DIR)
    set(COMMONCTRLS_TOP_LEVEL ON)
else()
    set(COMMONCTRLS_TOP_LEVEL OFF)
endif()
# The API reference's folder below share/doc, also the name of the Debian package that
# carries it; the Qt 6 build's has its own name so that both install side by side.
set(COMMONCTRLS_DOC_PACKAGE ${COMMONCTRLS_DATA_NAME}-doc)

# The Qt Designer plugin, when Qt's UiPlugin module is there.
set(COMMONCTRLS_WITH_DESIGNER_PLUGIN OFF)
if(COMMONCTRLS_BUILD_DESIGNER_PLUGIN)
    find_package(${COMMONCTRLS_QT} ${COMMONCTRLS_QT_MIN_VERSION} QUIET COMPONENTS UiPlugin)
    if(${COMMONCTRLS_QT}UiPlugin_FOUND)
        set(COMMONCTRLS_WITH_DESIGNER_PLUGIN ON)
    else()
        message(STATUS "CommonCtrls: ${COMMONCTRLS_QT} UiPlugin not found; the Designer plugin is not built")
    endif()
endif()
# Qt's own plugin folder is what `qmake -query QT_INSTALL_PLUGINS` prints, plus "/designer".
# Empty, the default, is the same folder below the libdir, which is Qt's own folder on
# Debian when the prefix is /usr; it follows the libdir when the prefix changes.
set(COMMONCTRLS_DESIGNER_PLUGIN_DIR "" CACHE STRING
    "Where the Designer plugin installs, absolute or relative to the install prefix (empty: lib*/qt*/plugins/designer)")
if(NOT COMMONCTRLS_DESIGNER_PLUGIN_DIR)
    set(COMMONCTRLS_DESIGNER_PLUGIN_DIR "${CMAKE_INSTALL_LIBDIR}/qt${COMMONCTRLS_QT_MAJOR}/plugins/designer")
endif()
# Relocatable: the plugin and the library both install below the prefix, so the plugin
# finds the library relative to itself and the prefix may move.
if(IS_ABSOLUTE "${COMMONCTRLS_DESIGNER_PLUGIN_DIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    set(COMMONCTRLS_DESIGNER_PLUGIN_RELOCATABLE OFF)
else()
    set(COMMONCTRLS_DESIGNER_PLUGIN_RELOCATABLE ON)
endif()

# The gallery opens video files with FFmpeg when its development files are there.
set(COMMONCTRLS_GALLERY_WITH_FFMPEG OFF)
if(COMMONCTRLS_BUILD_GALLERY)
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
        pkg_check_modules(FFMPEG QUIET IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
    endif()
    option(COMMONCTRLS_GALLERY_FFMPEG "Let the gallery open video files with FFmpeg" ${FFMPEG_FOUND})
    if(COMMONCTRLS_GALLERY_FFMPEG AND FFMPEG_FOUND)
        set(COMMONCTRLS_GALLERY_WITH_FFMPEG ON)
    else()
        message(STATUS "CommonCtrls: gallery without FFmpeg; it plays its synthetic clip only")
    endif()
endif()
