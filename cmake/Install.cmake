# Installing both programs the freedesktop way, and the Debian package (cpack -G DEB).
# The programs go to bin/, their data to share/skinwright/, where programFolder()
# finds it; the build tree keeps the data beside the programs instead.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/PackageDocs.cmake)

install(TARGETS skinwrt tweakvx RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The full program behind skinwrt: found by it in ../libexec, and finding its data
# in ../share/skinwright from there.
install(TARGETS skinwrt_full RUNTIME DESTINATION libexec)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/skinwright)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/skinwright.desktop ${CMAKE_SOURCE_DIR}/desktop/tweakvx.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/skinwright.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/skinwright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/skinwright-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME skinwright.png)
endforeach()
install(FILES ${SKINWRT_DOC_DIR}/man1/skinwrt.1.gz ${SKINWRT_DOC_DIR}/man1/skinwrt-full.1.gz
              ${SKINWRT_DOC_DIR}/man1/tweakvx.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${SKINWRT_DOC_DIR}/${SKINWRT_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence and the history, where a distribution looks for them (the copyright file
# is the licence in Debian's machine-readable form; a second copy would be redundant).
install(FILES ${SKINWRT_DOC_DIR}/copyright ${SKINWRT_DOC_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skinwright)

set(CPACK_PACKAGE_NAME skinwright)
set(CPACK_PACKAGE_VENDOR "Skinwright team")
set(CPACK_PACKAGE_CONTACT "${SKINWRT_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for window-frame skins of the Veneerix engine")
# The extended description as Debian wants it: lines under 80 columns, paragraphs
# apart (CPack writes each line one blank in and an empty one as " .").
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Skinwright is an authoring suite for personalities, the window-frame skins of\n"
    "the Veneerix skinning engine. Its editor shows a skin in live previews of an\n"
    "active and an inactive window, starts new skins with wizards, checks a skin\n"
    "against the engine's catalogue of attributes, and browses, packs and installs\n"
    "skin archives. Its command line edits, validates, renders and packs skins\n"
    "without a display.\n"
    "\n"
    "VX Tweak (tweakvx) edits the engine's hidden settings.\n"
    "\n"
    "Skinwright is released under the MIT licence.")
# Installed programs carry no debugging symbols (the build tree keeps them).
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SKINWRT_HOMEPAGE}")
# The libraries (Qt, libjpeg, libzip) come from dpkg-shlibdeps; these are used by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, shared-mime-info, desktop-file-utils, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
