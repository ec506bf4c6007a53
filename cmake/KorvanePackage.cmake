# The Debian package: "cpack -G DEB" in a build folder configured with the
# prefix /usr (scripts/package does both).
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Korvane maintainers <maintainers@users.noreply.c-seed-525012c7.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluate a virus scanner's log and delete what it found")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane helps to clean a computer after a virus scan. It reads the log of
the eScan command-line scanner, lists every infected and tagged object in a
checkable list, deletes the marked objects (optionally after a backup, at the
next restart for what survives), writes a plain-text report and downloads,
updates and starts the scanner. German and English interface.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KORVANE_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/cpack")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# deb-systemd-helper, which the maintainer scripts call; and the plugins Qt
# loads at run time, which shlibdeps cannot see: the platform plugins that put
# the window on an X or Wayland desktop, and the SVG image plugin that draws
# the window icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "init-system-helpers (>= 1.52), qt6-qpa-plugins, libqt6svg6")
# Runs the Windows updater and scanner.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/debian/postinst"
                                       "${PROJECT_SOURCE_DIR}/packaging/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
