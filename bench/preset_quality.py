#!/usr/bin/env python3
"""Measures the activity presets (data/recipes) against tracks with known faults.

For each preset and each generator mode it is checked on, it generates with
../shared/tools/make_track.py a track with injected faults (spikes, long
spikes, jitter clusters, duplicated, out-of-order and missing times, gaps)
and a clean track of the same mover, runs `quorvel-track clean` with the
preset minus its delete-filtered step (so the filtered points stay in the
output, in their places) and compares the filtered points with the truth
file. It prints per fault kind the recall (share of the injected points
filtered), the share of clean points filtered on the faulty track and on the
clean one, and the largest speed of the clean track (from `quorvel-track
stats`), the headroom below the preset's speed limit.

usage: preset_quality.py [--tool PATH] [--make-track PATH] [--points N]
                         [--seeds 1,2,3] [--interval S] [--presets walk,...]
                         [--workdir DIR]
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
MAKE_TRACK = os.path.normpath(os.path.join(ROOT, "..", "shared", "tools", "make_track.py"))
# The generator modes a preset is measured on: the mover itself where the
# generator has it, else the nearest in speed.
MODES = {"walk": ["walk"], "run": ["walk", "bike"], "bike": ["bike"], "car": ["car"], "boat": ["bike", "car"],
         "flight": ["car"]}
FAULTS = ["--spike", "0.004", "--long-spike", "0.001", "--jitter", "0.001", "--dup-time", "0.001",
          "--out-of-order", "0.001", "--no-time", "0.001", "--gap", "0.0005"]
KINDS = ["spike", "long_spike", "jitter", "dup_time", "out_of_order", "no_time"]
TRKPT = re.compile(rb"<trkpt\b(.*?)</trkpt>", re.S)


def find_tool():
    for entry in sorted(os.listdir(ROOT)):
        candidate = os.path.join(ROOT, entry, "cli", "quorvel-track")
        if entry.startswith("build") and os.access(candidate, os.X_OK):
            return candidate
    return None


def without_delete(preset, path):
    with open(os.path.join(ROOT, "data", "recipes", preset + ".json")) as handle:
        recipe = json.load(handle)
    recipe["steps"] = [step for step in recipe["steps"] if step["step"] != "delete-filtered"]
    with open(path, "w") as handle:
        json.dump(recipe, handle)


def filtered_indices(gpx):
    with open(gpx, "rb") as handle:
        points = TRKPT.findall(handle.read())
    return {i for i, point in enumerate(points) if b'filtered="true"' in point}, len(points)


def generate(args, mode, seed, path, faults):
    truth = path + ".truth.json"
    subprocess.run([sys.executable, args.make_track, "-n", str(args.points), "--mode", mode, "--seed", str(seed),
                    "--interval", str(args.interval), "-o", path, "--truth", truth] + faults, check=True)
    with open(truth) as handle:
        return json.load(handle)


def clean(args, recipe, gpx, outdir):
    subprocess.run([args.tool, "clean", "--recipe", recipe, gpx, "-o", outdir, "--quiet"], check=True)
    return filtered_indices(os.path.join(outdir, os.path.basename(gpx)))


def max_speed(args, gpx):
    out = subprocess.run([args.tool, "stats", gpx], check=True, capture_output=True, text=True).stdout
    return max(json.loads(line)["max_speed_kmh"] or 0 for line in out.splitlines())


def measure(args, preset, mode, seed):
    stem = os.path.join(args.workdir, "%s-%s-%d" % (preset, mode, seed))
    recipe = stem + ".recipe.json"
    without_delete(preset, recipe)
    truth = generate(args, mode, seed, stem + ".gpx", FAULTS)
    flagged, total = clean(args, recipe, stem + ".gpx", stem + ".out")
    faulty = {fault["index"] for fault in truth}
    result = {}
    for kind in KINDS:
        injected = {fault["index"] for fault in truth if fault["kind"] == kind}
        result[kind] = 100.0 * len(injected & flagged) / len(injected) if injected else None
    clean_points = total - len(faulty)
    result["false_pct"] = 100.0 * len(flagged - faulty) / clean_points
    generate(args, mode, seed, stem + "-clean.gpx", [])
    clean_flagged, clean_total = clean(args, recipe, stem + "-clean.gpx", stem + ".out")
    result["clean_track_false_pct"] = 100.0 * len(clean_flagged) / clean_total
    result["clean_max_kmh"] = max_speed(args, stem + "-clean.gpx")
    return result


def median(values):
    values = [value for value in values if value is not None]
    return statistics.median(values) if values else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tool", help="quorvel-track (default: the first build*/cli/quorvel-track)")
    parser.add_argument("--make-track", default=MAKE_TRACK)
    parser.add_argument("--points", type=int, default=20000)
    parser.add_argument("--seeds", default="1,2,3")
    parser.add_argument("--interval", type=float, default=1)
    parser.add_argument("--presets", default="walk,run,bike,car,boat,flight")
    parser.add_argument("--workdir", default="/tmp/preset_quality")
    args = parser.parse_args()
    args.tool = args.tool or find_tool()
    if not args.tool:
        sys.exit("quorvel-track not found; pass --tool")
    os.makedirs(args.workdir, exist_ok=True)
    seeds = [int(seed) for seed in args.seeds.split(",")]
    print("medians over seeds %s, %d points, %g s interval; recall per fault kind in %%" % (
        args.seeds, args.points, args.interval))
    print("%-7s %-5s %7s %7s %7s %7s %7s %7s %8s %8s %8s" % (
        "preset", "mode", "spike", "long", "jitter", "duptime", "order", "notime", "false%", "cleantr%", "maxkmh"))
    for preset in args.presets.split(","):
        for mode in MODES[preset]:
            runs = [measure(args, preset, mode, seed) for seed in seeds]
            row = {key: median([run[key] for run in runs]) for key in runs[0]}
            cells = ["%7s" % ("-" if row[kind] is None else "%.1f" % row[kind]) for kind in KINDS]
            print("%-7s %-5s %s %8.3f %8.3f %8.1f" % (preset, mode, " ".join(cells), row["false_pct"],
                                                    row["clean_track_false_pct"], row["clean_max_kmh"]))


if __name__ == "__main__":
    main()
