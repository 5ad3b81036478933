# The Debian package: `cmake --build build --target package` writes
# zrcadlovac_<version>_<arch>.deb into the build directory.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zrcadlovac)
set(CPACK_PACKAGE_VENDOR "Květodílna")
set(CPACK_PACKAGE_CONTACT "Květodílna")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build tree; the package carries stripped
# programs (about a tenth of the size).
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The first line of the package's description, then its body.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two directory trees and bring them into line")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zrcadlovač pairs every file with the file at the same relative path in the
other tree and sorts the differences into four pages: new, newer, larger and
smaller, each with a list for directory 1 and one for directory 2. The window
program zrcadlovac has a Czech user interface; zrcadlovac-cli runs the same
comparison from the command line and prints the lists as text, TSV or JSON.")

# The shared libraries the programs link (Qt 6, the C and C++ runtimes) are
# read from the binaries by dpkg-shlibdeps, which gives the packages and their
# lowest versions. Without dpkg-dev the Qt packages are named here.
find_program(ZRC_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZRC_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(zrc_deb_knihovny "")
else()
  set(zrc_deb_knihovny "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), libstdc++6, libc6, ")
endif()
# Qt finds its display connection in a plugin that no library links: without
# qt6-qpa-plugins the window program cannot start. The window's fonts stand
# on DejaVu Sans; the condensed face is in fonts-dejavu-extra.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${zrc_deb_knihovny}qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra, hicolor-icon-theme")

include(CPack)
