# Installation and the Debian package.
#
#   bin/VelmoraViewer                      the program
#   lib/velmora/                           its private files, found from the
#                                          program's own place (../lib/velmora):
#                                          libButton.so.1.00, the browser
#                                          module, the display guard
#   share/applications, share/icons        desktop entry and icon
#   <sysconfdir>/velmora/velmora.conf      the system's configuration

include(GNUInstallDirs)
set(VELMORA_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/velmora)
if(CMAKE_INSTALL_LIBDIR MATCHES "^lib/")
    # Debian's multiarch folder would not be the program's ../lib/velmora.
    set(VELMORA_PRIVATE_DIR lib/velmora)
endif()

install(TARGETS VelmoraViewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program opens the library by its plain name, libButton.so.
install(TARGETS Button LIBRARY DESTINATION ${VELMORA_PRIVATE_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(TARGETS VelmoraDisplayGuard RUNTIME DESTINATION ${VELMORA_PRIVATE_DIR})
if(TARGET velmora_browser)
    install(TARGETS velmora_browser LIBRARY DESTINATION ${VELMORA_PRIVATE_DIR}
            PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/config/velmora.conf
        DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/velmora)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora-viewer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora-viewer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the copyright file, and the changelog and manual page
# compressed without a time stamp, in their folders.
set(VELMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velmora-viewer)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${VELMORA_DOC_DIR})
set(compressed "")
foreach(pair "changelog:changelog.Debian.gz" "VelmoraViewer.1:VelmoraViewer.1.gz")
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(
        OUTPUT ${CMAKE_BINARY_DIR}/packaging/${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/${source}
                > ${CMAKE_BINARY_DIR}/packaging/${target}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
        VERBATIM)
    list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${target})
endforeach()
add_custom_target(velmora_packaging_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${VELMORA_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/VelmoraViewer.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora-viewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(CPACK_PACKAGE_VENDOR "VelmoraViewer developers")
set(CPACK_PACKAGE_CONTACT "VelmoraViewer developers <developers@velmora.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows name metric-compatible fonts; the web engine's helper process
# is part of its library package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "reader of the Velmora learning package
VelmoraViewer shows the Coder and Buyer guides about working on the
Taskmarket freelancing marketplace, fetched page by page from a content
server, and plays the package's videos in an embedded browser.")
# /etc/velmora/velmora.conf is the administrator's to change: an upgrade
# keeps the changes.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
