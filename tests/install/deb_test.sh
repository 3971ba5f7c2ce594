#!/bin/bash
# Builds the Debian package of the build and reads it back: its control
# fields and the files it would put on the machine.
# Usage: deb_test.sh BUILD_DIR VERSION. Exit 77 (skipped) without the tools.
set -euo pipefail
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    exit 1
}
deb=$work/quorvel_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { fail "cpack wrote no $deb: $(ls "$work")"; exit 1; }

echo "== control"
dpkg-deb -I "$deb" >"$work/info"
field() { sed -n "s/^ $1: //p" "$work/info"; }
[[ $(field Package) == quorvel ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)'"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == science ]] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) == *@* ]] || fail "Maintainer '$(field Maintainer)' has no address"
[[ -n $(field Description) ]] || fail "no Description"
grep -q '^  *\.\?[A-Za-z]' <(sed -n '/^ Description:/,$p' "$work/info" | tail -n +2) || fail "the Description has no long text"
depends=$(field Depends)
# From dpkg-shlibdeps: the libraries the programs link, with versions.
depended=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libexpat1 libzip4 tzdata; do
    grep -qxF "$package" <<<"$depended" || fail "Depends lacks $package: $depends"
done
[[ $depends == *"libqt6core6 (>="* ]] || fail "Depends gives Qt without a version: $depends"

echo "== files"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in ./usr/bin/quorvel ./usr/bin/quorvel-track ./usr/bin/quorvel-updater \
    ./usr/share/quorvel/Palettes/DefaultPalettes.xml ./usr/share/quorvel/Maps/DefaultLayers.xml \
    ./usr/share/quorvel/Res/sprites.png ./usr/share/quorvel/Doc/Quorvel_Shortcuts.html \
    ./usr/share/quorvel/samples/ride.gpx \
    ./usr/share/applications/org.quorvel.Quorvel.desktop \
    ./usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml \
    ./usr/share/mime/packages/org.quorvel.Quorvel.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.quorvel.Quorvel.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.quorvel.Quorvel.png \
    ./usr/share/man/man1/quorvel.1.gz ./usr/share/man/man1/quorvel-track.1.gz \
    ./usr/share/bash-completion/completions/quorvel-track; do
    grep -qx -- "$file" "$work/files" || fail "the package lacks $file"
done
# Only the prefix: no build folders, headers, static libraries or tests.
outside=$(grep -v -e '^\./$' -e '^\./usr/$' -e '^\./usr/bin/' -e '^\./usr/share/' "$work/files" || true)
[[ -z $outside ]] || fail "files outside /usr/bin and /usr/share: $outside"
! grep -q -e '\.a$' -e '\.h$' -e 'test' "$work/files" || fail "build leftovers: $(grep -e '\.a$' -e '\.h$' -e 'test' "$work/files")"
# Stripped programs: the debug information of the build stays out.
dpkg-deb -x "$deb" "$work/root"
if command -v readelf >/dev/null; then
    ! readelf -S "$work/root/usr/bin/quorvel" | grep -q '\.debug_info' || fail "quorvel is not stripped"
fi

if ((failures > 0)); then
    echo "$failures failures" >&2
    exit 1
fi
echo "package $(basename "$deb") is complete"
