# `cpack -G DEB` in a build folder (scripts/package runs it): a Debian
# package of what `cmake --install` puts under /usr, the programs, the
# desktop entry, icon and file type, the manual and the examples, that
# depends on the distribution's own Qt 6 and C++ runtime packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tessarin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop companion for the Monte Carlo transport simulator Varnholt")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tessarin keeps the simulator's run settings as parameter sets, builds its command line and starts it, "
    "reads and checks the geometry of its input files (running the user programs embedded in them), "
    "writes RT scripts with which BRL-CAD's MGED draws the geometry and the particle tracks, reads, "
    "filters and summarises track data, and shows slices of the geometry with overlaps marked. "
    "It comes as a Qt 6 desktop program (tessarin) and a command line (tessarin-cli).")
set(TESSARIN_PACKAGE_MAINTAINER "Tessarin developers <tessarin@localhost>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${TESSARIN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The install names the installed program in the desktop entry by the
# prefix, so the files are staged with DESTDIR under the final prefix (this
# also keeps the install from refreshing the desktop's caches in the
# staging folder: the distribution's triggers do that on the target).
set(CPACK_SET_DESTDIR ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debugging symbols stay in the build folder.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, as the packages that provide them here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MGED and an X terminal are started by the program, not linked.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xterm | x-terminal-emulator")
include(CPack)
