# Installing both programs the freedesktop way, and the Debian package (cpack -G DEB).
# The programs go to bin/, their data to share/skinwright/, where programFolder()
# finds it; the build tree keeps the data beside the programs instead.
include(GNUInstallDirs)

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
install(FILES ${CMAKE_SOURCE_DIR}/desktop/skinwrt.1 ${CMAKE_SOURCE_DIR}/desktop/tweakvx.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME skinwright)
set(CPACK_PACKAGE_VENDOR "Skinwright team")
set(CPACK_PACKAGE_CONTACT "Skinwright team <team@skinwright.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Authoring suite for window-frame skins of the Veneerix engine")
set(CPACK_PACKAGE_DESCRIPTION
    "Skinwright edits personalities (window-frame skins) with a live preview, validates them\n"
    "against their catalogue, packs and installs skin archives; VX Tweak edits hidden engine settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://skinwright.example.org/")
# The libraries (Qt, libjpeg, libzip) come from dpkg-shlibdeps; these are used by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, shared-mime-info, desktop-file-utils, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
