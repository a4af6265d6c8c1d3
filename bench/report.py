"""Writes docs/performance.md from Google Benchmark JSON and the start-up/memory
measurement, with the machine the figures come from.

    python3 report.py --out FILE --command CMD --measure M.json BENCH.json...
"""

import argparse
import datetime
import json
import os
import platform
import subprocess

# Each user action and the benchmark that times its whole work, with the
# number of presses one iteration holds.
PRESSES = [
    ('"Depth-First" at 100 x 100', "BM_DepthFirstPress", 1),
    ('"SOLVE" then "SHOW" on a generated 100 x 100 maze', "BM_SolveClicksGenerated", 2),
    ("route search of the worst loopy 100 x 100 maze", "BM_FindRouteDecoy/100", 1),
    ('"SAVE" of 100 x 100', "BM_Save100", 1),
    ('"LOAD" of 100 x 100', "BM_Load100", 1),
]
PRESS_LIMIT_US = 1000.0
STARTUP_LIMIT_MS = 300.0
MEMORY_LIMIT_MB = 80.0
TO_MICROSECONDS = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def machine():
    lscpu = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
    fields = dict(line.split(":", 1) for line in lscpu.splitlines() if ":" in line)
    model = fields.get("Model name", platform.processor() or "unknown").strip()
    with open("/proc/meminfo") as meminfo:
        total_kib = int(next(line for line in meminfo if line.startswith("MemTotal")).split()[1])
    system = platform.platform()
    if os.path.exists("/etc/os-release"):
        with open("/etc/os-release") as release:
            names = dict(line.rstrip("\n").split("=", 1) for line in release if "=" in line)
        system = f"{names.get('PRETTY_NAME', '').strip(chr(34))}, Linux {platform.release()}"
    return [
        ("CPU", model),
        ("Cores available", str(os.cpu_count())),
        ("Memory", f"{total_kib / 1024 / 1024:.1f} GiB"),
        ("System", system),
    ]


def medians(paths):
    """{benchmark name: (real us, cpu us)} from the median aggregates."""
    found = {}
    for path in paths:
        with open(path) as file:
            data = json.load(file)
        for run in data.get("benchmarks", []):
            if run.get("aggregate_name") != "median":
                continue
            scale = TO_MICROSECONDS[run.get("time_unit", "ns")]
            found[run["run_name"]] = (run["real_time"] * scale, run["cpu_time"] * scale)
    return found


def duration(us):
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    return f"{us:.1f} µs"


def verdict(ok):
    return "met" if ok else "**missed**"


def report(args):
    times = medians(args.bench)
    with open(args.measure) as file:
        measured = json.load(file)
    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    lines = [
        "# Performance",
        "",
        f"Measured {now} at commit {args.commit}, with `{args.command}`.",
        "Release build; every figure is the median of its repetitions.",
        "",
        "## Machine",
        "",
        "| | |",
        "|---|---|",
    ]
    lines += [f"| {name} | {value} |" for name, value in machine()]
    lines += [
        "",
        "## Targets",
        "",
        "| What | Median | Target | |",
        "|---|---|---|---|",
    ]
    for label, name, presses in PRESSES:
        if name not in times:
            lines.append(f"| {label} | not measured | under 1 ms a press | |")
            continue
        per_press = times[name][0] / presses
        note = f" ({presses} presses: {duration(times[name][0])})" if presses > 1 else ""
        lines.append(f"| {label} | {duration(per_press)} a press{note} | under 1 ms a press "
                     f"| {verdict(per_press < PRESS_LIMIT_US)} |")
    startup = measured["startup_median_ms"]
    peak = measured["peak_rss_mib"]
    lines += [
        f"| start-up, process start to window mapped ({measured['startup_runs']} runs, "
        f"{measured['startup_min_ms']} to {measured['startup_max_ms']} ms) | {startup} ms "
        f"| under {STARTUP_LIMIT_MS:.0f} ms | {verdict(startup < STARTUP_LIMIT_MS)} |",
        f"| peak memory (VmHWM) after every command on 100 x 100 | {peak} MiB "
        f"| under {MEMORY_LIMIT_MB:.0f} MB | {verdict(peak * 1.048576 < MEMORY_LIMIT_MB)} |",
        "",
        "## Every benchmark",
        "",
        "| Benchmark | Median wall time | Median CPU time |",
        "|---|---|---|",
    ]
    lines += [f"| {name} | {duration(real)} | {duration(cpu)} |"
              for name, (real, cpu) in sorted(times.items())]
    lines += [
        "",
        "Start-up is timed from just before the process is created to the moment its",
        "window is mapped on an Xvfb display; peak memory is the program's",
        "high-water resident set after generating, solving, saving and loading a",
        "100 x 100 maze.",
        "",
        "BM_LiteralSearchDecoy is the route search as first designed, which clears a",
        "cell's visited flag on the way back and may so enter it again along every",
        "other route. On the decoy mazes (the first step leads into an open block that",
        "misses the target) each added row and column multiplies its work by 70, 200,",
        "then 600 from 5 x 5 on: one run at 8 x 8 took 341 s (19 billion cell entries),",
        "and 12 x 12 is out of reach.",
        "The program's search never enters again a cell from which a search has",
        "failed, and solves the 100 x 100 decoy in the time of BM_FindRouteDecoy/100.",
        "",
        "One benchmark alone: `build-bench/bench/solve_bench --benchmark_filter=Decoy`",
        "(likewise generate_bench and storage_bench) after `bash scripts/bench.sh`.",
        "",
    ]
    with open(args.out, "w") as out:
        out.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--command", required=True)
    parser.add_argument("--commit", default="unknown")
    parser.add_argument("--measure", required=True)
    parser.add_argument("bench", nargs="*")
    report(parser.parse_args())


if __name__ == "__main__":
    main()
