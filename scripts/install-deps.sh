#!/bin/sh
# Installs the Debian packages needed to build, run and test Quorvel, and to
# check and package an installed copy (icons rendered with rsvg-convert,
# desktop files validated, the .deb built with its library dependencies).
# gmt-gshhg-low holds the shorelines of the offline world map, which the
# tests read. The tests also validate saved KML and TCX against their
# schemas; Debian ships those only inside pytrainer, whose package is
# downloaded for them alone (installing it would bring a desktop stack).
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev qt6-svg-dev libgl-dev tzdata \
    libboost-dev libtinyxml2-dev libexpat1-dev libzip-dev libgeographiclib-dev \
    libcurl4-openssl-dev libssl-dev libsqlite3-dev libnetcdf-dev gmt-gshhg-low libgtest-dev libgmock-dev libbenchmark-dev \
    python3 libxml2-utils \
    librsvg2-bin desktop-file-utils appstream shared-mime-info man-db dpkg-dev

SCHEMA_DIR=/usr/local/share/quorvel-test/schemas
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download pytrainer)
src=./usr/share/pytrainer/schemas
dpkg-deb --fsys-tarfile "$work"/pytrainer_*.deb | tar -x -C "$work" \
    "$src/ogckml22.xsd" "$src/atom-author-link.xsd" "$src/xAL.xsd" "$src/GarminTrainingCenterDatabase_v2.xsd"
$SUDO mkdir -p "$SCHEMA_DIR"
$SUDO cp "$work/$src"/*.xsd "$SCHEMA_DIR"/
