"""Prints a Markdown table of old against new from the rounds that
scripts/bench_compare.sh ran: every benchmark's median CPU time and every
command's median wall time end to end, their ratio, and the spread of each
side over its rounds.

    python3 compare.py RESULTS [--old-name REV] [--new-name REV] [--limit 1.05]

RESULTS holds old/ and new/, each with BENCH.ROUND.json from Google Benchmark
and cli.ROUND.json from measure_cli.py.
"""

import argparse
import collections
import glob
import json
import os
import statistics

TO_NANOSECONDS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def figures(side_dir):
    """{figure name: [one value a round]}, benchmarks in ns of CPU time and
    commands in ns of wall time."""
    found = collections.defaultdict(list)
    for path in sorted(glob.glob(os.path.join(side_dir, "*_bench.*.json"))):
        with open(path) as file:
            for run in json.load(file).get("benchmarks", []):
                if run.get("run_type", "iteration") != "iteration":
                    continue
                scale = TO_NANOSECONDS[run.get("time_unit", "ns")]
                found[run["run_name"]].append(run["cpu_time"] * scale)
    for path in sorted(glob.glob(os.path.join(side_dir, "cli.*.json"))):
        with open(path) as file:
            for side, commands in json.load(file).items():
                for command, entry in commands.items():
                    if isinstance(entry, dict):
                        found[f"nitka-maze {command} at {int(side):,}"].append(entry["seconds"] * 1e9)
    return found


def shown(ns):
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("µs", 1e3)):
        if ns >= scale:
            return f"{ns / scale:.2f} {unit}" if unit != "µs" else f"{ns / scale:.1f} {unit}"
    return f"{ns:.1f} ns"


def spread(values):
    """The range of a side's rounds as a share of their median."""
    middle = statistics.median(values)
    return (max(values) - min(values)) / middle if middle else 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("results")
    parser.add_argument("--old-name", default="old")
    parser.add_argument("--new-name", default="new")
    parser.add_argument("--limit", type=float, default=1.05,
                        help="a ratio above this and above 1 + the old side's spread is marked")
    args = parser.parse_args()
    old = figures(os.path.join(args.results, "old"))
    new = figures(os.path.join(args.results, "new"))
    rounds = max((len(values) for values in old.values()), default=0)
    print(f"Old {args.old_name} against new {args.new_name}; median of {rounds} rounds, "
          "benchmarks in CPU time, commands end to end in wall time.")
    print()
    print("| Figure | Old | New | New / old | Spread old, new | |")
    print("|---|---|---|---|---|---|")
    worse = 0
    for name in sorted(old, key=lambda name: (name.startswith("nitka-maze"), name)):
        if name not in new:
            continue
        before, after = statistics.median(old[name]), statistics.median(new[name])
        ratio = after / before
        spreads = spread(old[name]), spread(new[name])
        flagged = ratio > args.limit and ratio > 1 + spreads[0]
        worse += flagged
        print(f"| {name} | {shown(before)} | {shown(after)} | {ratio:.3f} "
              f"| {spreads[0]:.0%}, {spreads[1]:.0%} | {'**worse**' if flagged else ''} |")
    print()
    print(f"{worse} figure(s) worse by more than {args.limit - 1:.0%} and the old side's spread.")


if __name__ == "__main__":
    main()
