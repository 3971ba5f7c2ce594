#!/usr/bin/env python3
"""Measures the filters of quorvel-track against tracks with known faults.

For each profile (car, bike, walk) it generates a track with injected faults
and a clean track of the same mover with ../shared/tools/make_track.py, runs
`quorvel-track filter` on both and compares the report with the truth file.

Spike mode (default): single and long spikes are injected; it prints the
recall of injected spikes (share of them filtered as "Spike" or "Spike
(long)"), the precision (share of the spike-filtered points that were
injected) and the share of clean points filtered, on the faulty track and on
the clean one. Target: recall >= 95 %, clean points filtered < 0.5 %.

Local mode (--local): jitter clusters (the mover stands still and the
receiver wanders within a metre) are injected; it prints the recall of
jitter points (share filtered for any reason), the precision, and the share
of moving points filtered. --interval sets the seconds between samples, so
that sparse recordings can be measured too.

Files mode (--files F ...): runs the chosen filter on real recordings, which
have no truth file, and prints per file the points and the share filtered by
each reason; on clean recordings every filtered point is a false alarm.

usage: filter_quality.py [--tool PATH] [--points N] [--seed S] [--local]
                         [--interval SECONDS] [--profiles car,bike,walk]
                         [--workdir DIR] [--json] [--files F ...]
"""

import argparse
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MAKE_TRACK = os.path.normpath(os.path.join(HERE, "..", "..", "shared", "tools", "make_track.py"))
SPIKE_REASONS = {9, 10}
SPIKE_KINDS = {"spike", "long_spike"}


def find_tool():
    root = os.path.dirname(HERE)
    for entry in sorted(os.listdir(root)):
        candidate = os.path.join(root, entry, "cli", "quorvel-track")
        if entry.startswith("build") and os.access(candidate, os.X_OK):
            return candidate
    return None


def generate(path, truth, profile, args, faults):
    args = [sys.executable, MAKE_TRACK, "-n", str(args.points), "--mode", profile, "--seed", str(args.seed),
            "--interval", str(args.interval), "-o", path, "--truth", truth] + faults
    subprocess.run(args, check=True)
    with open(truth) as handle:
        return json.load(handle)


def run_filter(tool, gpx, report, options):
    subprocess.run([tool, "filter", gpx, "--report", report] + options, check=True)
    with open(report) as handle:
        segments = json.load(handle)["segments"]
    # Report indices count within a segment; truth indices within the file.
    filtered = {}
    total = 0
    offset = 0
    for segment in segments:
        for point in segment["filtered"]:
            filtered[offset + point["index"]] = point["reason"]
        offset += segment["points"]
        total += segment["points"]
    return filtered, total


def share(part, whole):
    return 100.0 * part / whole if whole else 0.0


def measure(tool, profile, args, workdir):
    stem = os.path.join(workdir, "%s-%d-%g" % (profile, args.seed, args.interval))
    if args.local:
        faults = ["--jitter", str(args.jitter_rate)]
        options = ["--local"]
        kinds = {"jitter"}
        counts = lambda reason: True
    else:
        faults = ["--spike", str(args.spike_rate), "--long-spike", str(args.long_spike_rate)]
        options = ["--spikes"]
        kinds = SPIKE_KINDS
        counts = lambda reason: reason in SPIKE_REASONS

    truth = generate(stem + ".gpx", stem + ".truth.json", profile, args, faults)
    injected = {fault["index"] for fault in truth if fault["kind"] in kinds}
    other_faults = {fault["index"] for fault in truth if fault["kind"] not in kinds}
    filtered, total = run_filter(tool, stem + ".gpx", stem + ".report.json", options)
    flagged = {index for index, reason in filtered.items() if counts(reason)}
    caught = injected & flagged
    clean = total - len(injected) - len(other_faults)
    clean_flagged = len(flagged - injected - other_faults)

    clean_stem = stem + "-clean"
    generate(clean_stem + ".gpx", clean_stem + ".truth.json", profile, args, [])
    clean_filtered, clean_total = run_filter(tool, clean_stem + ".gpx", clean_stem + ".report.json", options)
    clean_track_flagged = sum(1 for reason in clean_filtered.values() if counts(reason))

    return {
        "profile": profile,
        "points": total,
        "injected": len(injected),
        "caught": len(caught),
        "recall_pct": share(len(caught), len(injected)),
        "flagged": len(flagged),
        "precision_pct": share(len(caught), len(flagged)) if flagged else 100.0,
        "clean_flagged": clean_flagged,
        "clean_flagged_pct": share(clean_flagged, clean),
        "clean_track_flagged": clean_track_flagged,
        "clean_track_flagged_pct": share(clean_track_flagged, clean_total),
    }


def measure_files(tool, args):
    options = ["--local"] if args.local else ["--spikes"]
    report = os.path.join(args.workdir, "file.report.json")
    all_points = all_filtered = 0
    for path in args.files:
        try:
            filtered, total = run_filter(tool, path, report, options)
        except subprocess.CalledProcessError:
            print("%-60s could not be read" % path[-60:])
            continue
        by_reason = {}
        for reason in filtered.values():
            code = reason % 100
            by_reason[code] = by_reason.get(code, 0) + 1
        all_points += total
        all_filtered += len(filtered)
        reasons = " ".join("%d:%d" % item for item in sorted(by_reason.items()))
        print("%-60s %7d %6d %6.2f%%  %s" % (path[-60:], total, len(filtered), share(len(filtered), total), reasons))
    print("%-60s %7d %6d %6.2f%%" % ("all", all_points, all_filtered, share(all_filtered, all_points)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tool", help="quorvel-track (default: the first build*/cli/quorvel-track)")
    parser.add_argument("--points", type=int, default=20000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--profiles", default="car,bike,walk")
    parser.add_argument("--local", action="store_true", help="jitter clusters and the local filter")
    parser.add_argument("--spike-rate", type=float, default=0.004)
    parser.add_argument("--long-spike-rate", type=float, default=0.001)
    parser.add_argument("--jitter-rate", type=float, default=0.001)
    parser.add_argument("--workdir", default="/tmp/filter_quality")
    parser.add_argument("--json", action="store_true", help="one JSON line per profile")
    parser.add_argument("--interval", type=float, default=1, help="seconds between samples")
    parser.add_argument("--files", nargs="+", help="real recordings instead of generated tracks")
    args = parser.parse_args()

    tool = args.tool or find_tool()
    if not tool:
        sys.exit("quorvel-track not found; pass --tool")
    os.makedirs(args.workdir, exist_ok=True)
    if args.files:
        measure_files(tool, args)
        return
    what = "jitter" if args.local else "spikes"
    moving = "moving" if args.local else "clean"
    if not args.json:
        print("%-6s %8s %9s %8s %10s %11s %15s %15s" % (
            "mode", "points", "injected", "recall", "precision", "flagged",
            moving + " filtered", "clean track"))
    for profile in args.profiles.split(","):
        result = measure(tool, profile, args, args.workdir)
        if args.json:
            print(json.dumps(result))
            continue
        print("%-6s %8d %9d %7.2f%% %9.2f%% %11d %8d %5.3f%% %8d %5.3f%%" % (
            profile, result["points"], result["injected"], result["recall_pct"], result["precision_pct"],
            result["flagged"], result["clean_flagged"], result["clean_flagged_pct"],
            result["clean_track_flagged"], result["clean_track_flagged_pct"]))
    if not args.json:
        print("(%s mode; %s)" % (what, "recall of jitter points, share of moving points filtered" if args.local
                                  else "recall of single and long spikes, share of clean points filtered"))


if __name__ == "__main__":
    main()
