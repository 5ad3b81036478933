# The Debian packages: `cmake --build build --target package` writes into the
# build directory
#   zrcadlovac-cli_<version>_<arch>.deb          the command line (Qt Core only)
#   zrcadlovac_<version>_<arch>.deb              the window program
#   zrcadlovac-dbg_<version>_<arch>.deb          the debug symbols of both
# The window package depends on the command-line one of the same version, so
# that installing "zrcadlovac" gives both programs its metainfo names.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zrcadlovac)
set(CPACK_PACKAGE_VENDOR "Květodílna")
set(CPACK_PACKAGE_CONTACT "Květodílna <zrcadlovac@kvetodilna.cz>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${ZRC_KOMPONENTY})
set(CPACK_DEBIAN_CLI_PACKAGE_NAME zrcadlovac-cli)
set(CPACK_DEBIAN_OKNO_PACKAGE_NAME zrcadlovac)
# Both binary packages come from one source; their changelog names it.
set(CPACK_DEBIAN_PACKAGE_SOURCE zrcadlovac)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The packaged programs are stripped; their debug information goes into
# zrcadlovac-dbg, under /usr/lib/debug/.build-id as in Debian's own -dbgsym
# packages. (CPack's own -dbgsym packages come out with absolute paths in
# their md5sums and without copyright and changelog files.)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_LADENI_PACKAGE_NAME zrcadlovac-dbg)
set(CPACK_DEBIAN_LADENI_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_LADENI_PACKAGE_DEPENDS "zrcadlovac-cli (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_LADENI_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_LADENI_DESCRIPTION
    "debug symbols for zrcadlovac and zrcadlovac-cli
The debug information of the programs of the packages zrcadlovac-cli and
zrcadlovac, which gdb finds by their build ids.")

# Each description: the synopsis line, then the body. CPack would put any
# summary but its own default ("<project> built using CMake") in front of
# every package's synopsis: the default is restated so that it does not.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(zrc_popis_spolecny
    "Zrcadlovač pairs every file with the file at the same relative path in the
other tree and sorts the differences into four pages: new, newer, larger and
smaller, each with a list for directory 1 and one for directory 2.")
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "compare two directory trees from the command line
${zrc_popis_spolecny}
.
zrcadlovac-cli runs the comparison from the command line and prints the
lists as text, TSV or JSON; it needs no display.")
set(CPACK_DEBIAN_OKNO_DESCRIPTION
    "compare two directory trees and bring them into line
${zrc_popis_spolecny}
.
This package holds the window program, with a Czech user interface, which
copies, moves, deletes or replaces the listed files between the trees.")
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_OKNO_PACKAGE_SECTION utils)

# The shared libraries the programs link (Qt 6, the C and C++ runtimes) are
# read from the binaries by dpkg-shlibdeps, which gives the packages and their
# lowest versions. Without dpkg-dev the Qt packages are named here.
find_program(ZRC_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZRC_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(zrc_deb_cli "")
  set(zrc_deb_okno "")
else()
  set(zrc_deb_cli "libqt6core6 (>= 6.4), libstdc++6, libc6")
  set(zrc_deb_okno "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), libstdc++6, libc6, ")
endif()
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS "${zrc_deb_cli}")
# What a minimal system lacks for the window and no library names:
# - qt6-qpa-plugins: Qt finds its display connection in a plugin;
# - qt6-translations-l10n: the Czech texts of Qt's own dialogs and buttons;
# - fonts-dejavu-core and fonts-dejavu-extra: the window's captions are laid
#   out for DejaVu Sans, whose condensed face is in the extra package.
set(CPACK_DEBIAN_OKNO_PACKAGE_DEPENDS
    "${zrc_deb_okno}zrcadlovac-cli (= ${PROJECT_VERSION}), qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core, fonts-dejavu-extra")
set(CPACK_DEBIAN_OKNO_PACKAGE_RECOMMENDS "hicolor-icon-theme")

include(CPack)
