# The Debian package: cpack -G DEB in the build folder writes
# quorvel_<version>_<arch>.deb. Its library dependencies come from
# dpkg-shlibdeps, so they follow the libraries the build really links.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Orbelin)
set(CPACK_PACKAGE_CONTACT "Quorvel maintainers <maintainers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GPS track editor: view, clean and restructure recorded tracks")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel opens GPX, TCX, KML, KMZ, GeoJSON, NMEA, OziExplorer, Magellan,\n"
    "FIT and IGC tracks and shows them over a web map, coloured by speed,\n"
    "elevation or another value of their points. It marks bad points with\n"
    "filters, splits, merges, reverses and retimes tracks, and saves them as\n"
    "GPX, KML, TCX or GeoJSON. The command-line tool quorvel-track does the\n"
    "same conversions and repairs without a window.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorvel.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Time zones are read at run time, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS tzdata)
# Wayland sessions need Qt's plugin for it; X11 comes with Qt's GUI library.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils, gmt-gshhg-low")
# More detail for the offline world map when zoomed in.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gmt-gshhg-high, gmt-gshhg-full")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
