# The Debian package, built with `cpack -G DEB` in the build folder from what
# `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KOVA Software")
set(CPACK_PACKAGE_CONTACT "KOVA Software <support@kova-software.at>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Load listing of building components following ÖNORM B 1991-1-1")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the programs link come from the library scan; Qt loads the window
# system plugins, the SVG icon engine and the help's database driver at run time,
# where the scan cannot see them. The update check reads a downloaded package's
# version with dpkg-deb.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, libqt6sql6-sqlite, dpkg")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
