# Read by cpack for every package it makes. Debian packages install below /usr, and the
# build's folders (the multiarch libdir, Qt's plugin folder below it) are chosen when it
# is configured, so only a build configured for /usr makes them.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_COMMONCTRLS_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "Debian packages come from a build configured with "
        "-DCMAKE_INSTALL_PREFIX=/usr, not ${CPACK_COMMONCTRLS_INSTALL_PREFIX}")
endif()
