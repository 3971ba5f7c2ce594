#!/bin/bash
# Installs the build into a temporary prefix and uses the copy there as a
# user would: the programs start from it and find their data, and what the
# desktop reads (desktop entry, software-centre entry, file types, icons,
# manual pages, completion) passes the desktop's own tools.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source_dir=$2
version=$3
app_id=org.quorvel.Quorvel

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# The programs run as on a desktop without a display, with settings, cache
# and user data of their own, and never ask the update server.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/Orbelin" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Settings]\nUpdate\\AutoCheck=false\n' >"$XDG_CONFIG_HOME/Orbelin/Quorvel.conf"
unset QUORVEL_DATA_DIR QUORVEL_SCREENSHOT QUORVEL_SCREENSHOT_COMMAND
quorvel=$prefix/bin/quorvel
track=$prefix/bin/quorvel-track

echo "== installed files"
for file in bin/quorvel bin/quorvel-track bin/quorvel-updater; do
    [[ -x $prefix/$file ]] || fail "$file is not installed as a program"
done
while IFS= read -r file; do
    cmp -s "$source_dir/data/$file" "$prefix/share/quorvel/$file" || fail "data file $file is not installed"
done < <(cd "$source_dir/data" && find . -type f -printf '%P\n')

echo "== command lines"
# $1: expected status; the rest: the command. Leaves its output in out/err.
run() {
    local expected=$1
    shift
    local status=0
    "$@" >"$work/out" 2>"$work/err" || status=$?
    [[ $status == "$expected" ]] || fail "$* ended with $status, not $expected: $(head -c 300 "$work/err")"
}
run 0 "$quorvel" --version
[[ $(cat "$work/out") == "Quorvel $version" ]] || fail "quorvel --version printed '$(cat "$work/out")'"
run 0 "$quorvel" --help
grep -q '^Usage: quorvel ' "$work/out" || fail "quorvel --help printed no usage on stdout"
[[ ! -s $work/err ]] || fail "quorvel --help wrote to stderr"
run 2 "$quorvel" --no-such-option
[[ ! -s $work/out && -s $work/err ]] || fail "a bad option of quorvel is not told on stderr alone"
# Qt takes its own options first; the first unknown one is the program's.
run 2 env -u QT_QPA_PLATFORM "$quorvel" --platform offscreen --no-such-option
grep -q "unknown option '--no-such-option'" "$work/err" || fail "quorvel refuses Qt's --platform: $(cat "$work/err")"
run 0 "$track" --version
[[ $(cat "$work/out") == "quorvel-track $version" ]] || fail "quorvel-track --version printed '$(cat "$work/out")'"
run 0 "$track" --help
# On one line, in the order of the help.
commands=$(sed -n 's/^  quorvel-track \([a-z][a-z-]*\) .*/\1/p' "$work/out" | paste -sd ' ')
[[ -n $commands ]] || fail "quorvel-track --help lists no commands"
for command in $commands; do
    run 0 "$track" "$command" --help
    grep -q "^usage: quorvel-track $command " "$work/out" || fail "quorvel-track $command --help printed no usage"
    [[ ! -s $work/err ]] || fail "quorvel-track $command --help wrote to stderr"
    run 2 "$track" "$command" --no-such-option
    [[ ! -s $work/out && -s $work/err ]] || fail "a bad option of quorvel-track $command is not told on stderr alone"
done
run 2 "$track"
run 2 "$track" no-such-command

echo "== quorvel-track info"
# What an independent reader found in the same files.
check_info() {
    local file=$1 points=$2
    run 0 "$track" info "$file"
    local found
    found=$(python3 -c 'import json, sys; print(json.loads(sys.stdin.readline())["points"])' <"$work/out")
    [[ $found == "$points" ]] || fail "quorvel-track info $file: $found points, not $points"
}
check_info "$prefix/share/quorvel/samples/ride.gpx" "$(grep -c '<trkpt ' "$prefix/share/quorvel/samples/ride.gpx")"
fixture=fit/gpsbabel/fit-sample.fit
fixtures=${QUORVEL_FIXTURES:-$source_dir/tests/data/peer}
check_info "$fixtures/$fixture" \
    "$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))[sys.argv[2]]["points"])' "$fixtures/oracle.json" "$fixture")"

echo "== the program from the installed tree"
QUORVEL_SCREENSHOT=$work/shot.png "$quorvel" -s800x600 "$prefix/share/quorvel/samples/ride.gpx" 2>"$work/err" ||
    fail "the screenshot start failed: $(head -c 300 "$work/err")"
[[ $(head -c 8 "$work/shot.png" 2>/dev/null | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "the screenshot start wrote no PNG picture"
# The keyboard shortcuts page is a data file: the link the program follows
# shows which data folder it found (links are only reported in this mode;
# with no dialog to picture, the run waits 15 seconds for one).
shortcuts=$(sed -n 's/^ *ID_HELP_SHORTCUTS = \([0-9]*\),.*/\1/p' "$source_dir/libs/baseui/CommandIds.h")
[[ -n $shortcuts ]] || fail "CommandIds.h names no ID_HELP_SHORTCUTS"
QUORVEL_SCREENSHOT=$work/help.png QUORVEL_SCREENSHOT_COMMAND=$shortcuts "$quorvel" 2>"$work/err" || true
grep -qx "Link: file://$prefix/share/quorvel/Doc/Quorvel_Shortcuts.html" "$work/err" ||
    fail "the installed program does not find its data in $prefix/share/quorvel: $(grep -v '^QStandardPaths' "$work/err" | head -c 300)"

echo "== desktop entry, software-centre entry, file types"
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
mime=$prefix/share/mime/packages/$app_id.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net "$metainfo" >"$work/out" 2>&1 || fail "appstreamcli refuses $metainfo: $(cat "$work/out")"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names no release $version"
xmllint --noout "$mime" || fail "xmllint refuses $mime"
# Debian ships no schema of shared-mime-info; one that is there is used.
for schema in /usr/share/shared-mime-info/shared-mime-info.xsd /usr/share/xml/shared-mime-info/shared-mime-info.xsd; do
    if [[ -f $schema ]]; then
        xmllint --noout --schema "$schema" "$mime" || fail "$mime does not match $schema"
    fi
done
# The database built from the system's types and ours knows every type that
# the desktop entry claims, and ours by their file names.
mkdir -p "$work/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$mime" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null || fail "update-mime-database refuses $mime"
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    [[ -f $work/mime/$type.xml ]] || fail "the desktop entry claims $type, which no MIME package defines"
done
for pair in application/vnd.garmin.tcx+xml:tcx application/vnd.ant.fit:fit application/vnd.fai.igc:igc \
    application/vnd.nmea.nmea:nmea application/vnd.oziexplorer.plt:plt; do
    grep -q ":${pair%%:*}:\*\.${pair#*:}$" "$work/mime/globs2" || fail "no file name pattern *.${pair#*:} for ${pair%%:*}"
done

echo "== icons"
[[ -f $prefix/share/icons/hicolor/scalable/apps/$app_id.svg ]] || fail "the scalable icon is not installed"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
    # Width and height are the first two big-endian numbers of the header.
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png" 2>/dev/null || echo "0 0")
    [[ $width == "$size" && $height == "$size" ]] || fail "$png is ${width}x$height, not ${size}x$size"
done

echo "== manual pages and completion"
for page in quorvel quorvel-track; do
    file=$prefix/share/man/man1/$page.1.gz
    [[ -f $file ]] || { fail "no manual page $file"; continue; }
    warnings=$(zcat "$file" | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null || true)
    [[ -z $warnings ]] || fail "man warns about $page.1: $warnings"
    zcat "$file" | grep -q "Quorvel $version" || fail "$page.1 names no version $version"
done
documented=$(zcat "$prefix/share/man/man1/quorvel-track.1.gz" |
    sed -n '/^\.SH COMMANDS/,/^\.SH /s/^\.BI \([a-z][a-z-]*\) .*/\1/p' | paste -sd ' ')
[[ $documented == "$commands" ]] ||
    fail "quorvel-track.1 documents the commands '$documented', the tool has '$commands'"
completion=$(bash -c '
    compopt() { echo -n "compopt $* "; }
    source "$1"
    complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quorvel_track; echo "[${COMPREPLY[*]}]"; }
    complete_words "$2" ""
    complete_words "$2" filter in.gpx --max
    complete_words "$2" shift in.gpx -o ""
    complete_words "$2" shift in.gpx --start ""
' _ "$prefix/share/bash-completion/completions/quorvel-track" "$track")
# Commands; options by their start; files for -o; nothing for a time.
expected="[$commands --help --version]
[--max-accel-brake --max-accel-fwd --max-accel-radial --max-speed]
compopt -o default []
[]"
[[ $completion == "$expected" ]] || fail "bash completion gave
$completion
instead of
$expected"

if ((failures > 0)); then
    echo "$failures failures" >&2
    exit 1
fi
echo "installed copy works"
