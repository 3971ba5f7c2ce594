#!/bin/bash
# Builds the fuzz targets (clang, sanitizers) and runs each in turn.
#   tests/fuzz/run_fuzz.sh [SECONDS] [TARGET...]
# SECONDS per target (default 300); targets (default all):
#   gpx tcx kml nmea ozi magellan fit igc geojson kmz detect: the loader alone;
#   resave_<format but detect>: load, save in every written format, reload and
#     compare the points, with the peak heap of loading held to the format's
#     bound (bench/LoadMemoryBound.h);
#   fastscan: GPX, TCX and KML read by the fast scanner and by expat alone, which must
#     agree in everything (or the fast scanner decline);
#   palette, layer: the palette and map layer file readers;
#   instance: the message a second start hands the running one.
# One fuzzer at a time: the machine is shared.
# Corpora grow in $FUZZ_WORK (default /tmp/quorvel-fuzz), outside the tree;
# each finding is kept in $FUZZ_WORK/<target>/artifacts. Minimise one with
#   build-fuzz/tests/fuzz/fuzz_<target> -minimize_crash=1 -runs=20000 FILE
# and add it to tests/libs/trackio/data/regressions/<format>/, whose test
# also saves and reloads each case; a palette, layer or hand-over finding
# gets a unit test beside its reader's.
set -euo pipefail

# All in one function, called on one line with the exit, so that bash has
# read the whole script before it runs and reads no more of it after (the
# script may be edited while a long run goes on).
main() {
    root=$(cd "$(dirname "$0")/../.." && pwd)
    build=${FUZZ_BUILD:-$root/build-fuzz}
    work=${FUZZ_WORK:-/tmp/quorvel-fuzz}
    fixtures=${QUORVEL_FIXTURES:-$root/tests/data/peer}
    regressions=$root/tests/libs/trackio/data/regressions
    here=$root/tests/fuzz

    seconds=${1:-300}
    shift || true
    targets=("$@")
    formats=(gpx tcx kml nmea ozi magellan fit igc geojson kmz)
    [ ${#targets[@]} -gt 0 ] || targets=("${formats[@]}" detect "${formats[@]/#/resave_}" fastscan palette layer instance)

    # target (a resave_ target takes its format's): fixture folders, folders
    # of the program's own data, dictionaries, seed kinds, longest input
    declare -A folders=([gpx]=gpx [tcx]=tcx [kml]=kml [nmea]=nmea [ozi]=plt [magellan]="magellan nmea"
                        [fit]=fit [igc]=igc [geojson]=geojson [kmz]=""
                        [detect]="gpx tcx kml nmea plt magellan fit igc geojson"
                        [fastscan]="gpx tcx kml" [palette]="" [layer]="" [instance]="")
    declare -A datadirs=([palette]=data/Palettes [layer]=data/Maps)
    declare -A dicts=([gpx]="xml gpx" [tcx]="xml tcx" [kml]="xml kml" [nmea]=lines [ozi]=lines [magellan]=lines
                      [fit]="" [igc]=igc [geojson]=json [kmz]="xml kml"
                      [detect]="xml gpx tcx kml lines igc json" [fastscan]="xml gpx tcx kml"
                      [palette]="xml palette" [layer]="xml layer" [instance]="")
    declare -A kinds=([gpx]=gpx [tcx]=tcx [kml]=kml [nmea]=nmea [ozi]=ozi [magellan]=magellan
                      [fit]=fit [igc]=igc [geojson]=geojson [kmz]=kmz
                      [detect]="gpx tcx kml nmea ozi magellan fit igc geojson kmz detect" [fastscan]="gpx tcx kml fastscan"
                      [palette]=palette [layer]=layer [instance]=instance)
    # Fixtures longer than this are cut into pieces (of whole lines, or
    # whole FIT files), so that the seeds are small and a run executes more.
    declare -A pieceBytes=([nmea]=1024 [ozi]=1024 [magellan]=1024 [igc]=1024 [fit]=2048)
    declare -A maxlen=([gpx]=16384 [tcx]=16384 [kml]=16384 [nmea]=4096 [ozi]=4096 [magellan]=4096
                       [fit]=16384 [igc]=4096 [geojson]=16384 [kmz]=16384 [detect]=8192
                       [fastscan]=16384 [palette]=4096 [layer]=4096 [instance]=2048)

    if [ ! -f "$build/CMakeCache.txt" ]; then
        CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUORVEL_FUZZ=ON
    fi
    cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}" test_loader_regressions

    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

    # The kept cases first, under the sanitizers: some faults (integer overflow)
    # show only here, not in the normal build.
    "$build/tests/libs/trackio/test_loader_regressions" --gtest_brief=1

    for target in "${targets[@]}"; do
        base=${target#resave_}
        [ -n "${maxlen[$base]:-}" ] || { echo "unknown target $target" >&2; exit 2; }
        dir=$work/$target
        rm -rf "$dir/seeds"
        mkdir -p "$dir/corpus" "$dir/seeds" "$dir/artifacts"
        # Seeds: the peer fixtures, the program's own data files, the
        # hand-made inputs and every regression case.
        for folder in ${folders[$base]}; do
            [ -d "$fixtures/$folder" ] && find "$fixtures/$folder" -type f -exec cp -f --backup=numbered {} "$dir/seeds/" \;
        done
        if [ "$base" = fit ]; then
            python3 "$here/fit_pieces.py" "${pieceBytes[$base]}" "$dir/seeds"
        elif [ -n "${pieceBytes[$base]:-}" ]; then
            find "$dir/seeds" -type f -size +"${pieceBytes[$base]}"c | while read -r seed; do
                split -C "${pieceBytes[$base]}" -d -a 4 "$seed" "$seed.piece" && rm -f "$seed"
            done
        fi
        if [ -n "${datadirs[$base]:-}" ]; then
            find "$root/${datadirs[$base]}" -type f -exec cp -f --backup=numbered {} "$dir/seeds/" \;
        fi
        for kind in ${kinds[$base]}; do
            for seedDir in "$here/seeds/$kind" "$regressions/$kind"; do
                [ -d "$seedDir" ] && find "$seedDir" -type f -exec cp -f --backup=numbered {} "$dir/seeds/" \;
            done
        done
        dict=$dir/all.dict
        : > "$dict"
        for d in ${dicts[$base]}; do cat "$here/dict/$d.dict" >> "$dict"; done
        # A binary format has no dictionary; libFuzzer refuses an empty one.
        dictArg=()
        [ -s "$dict" ] && dictArg=(-dict="$dict")

        before=$(find "$dir/artifacts" -type f | wc -l)
        echo "== fuzz_$target for ${seconds}s"
        # Fork mode goes on after a finding, so one run collects several.
        "$build/tests/fuzz/fuzz_$target" "$dir/corpus" "$dir/seeds" \
            -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
            -max_total_time="$seconds" -max_len="${maxlen[$base]}" -timeout=5 -rss_limit_mb=2048 \
            "${dictArg[@]}" -artifact_prefix="$dir/artifacts/" -print_final_stats=1 \
            > "$dir/last-run.log" 2>&1 || true
        tail -n 3 "$dir/last-run.log"
        after=$(find "$dir/artifacts" -type f | wc -l)
        echo "   new findings: $((after - before)) (kept in $dir/artifacts)"
    done
}

main "$@"; exit
