"""Writes docs/performance.md from Google Benchmark JSON, the window's start-up
and memory measurement and the command-line tool's end-to-end measurement,
with the machine the figures come from.

    python3 report.py --out FILE --command CMD --measure M.json --cli C.json BENCH.json...
"""

import argparse
import datetime
import json
import os
import platform
import re
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

# The command-line tool's per-cell work and the benchmark that times it; each
# runs at 100, 1,000 and 10,000 cells a side.
PER_CELL = [
    ("carve (depth-first)", "BM_CarveDepthFirst"),
    ("solve (the window's route)", "BM_FindGridRoute"),
    ("solve --shortest", "BM_FindShortestRoute"),
    ("info (every measure)", "BM_MeasureMaze"),
    ("write the maze file", "BM_WriteGrid"),
    ("read the maze file", "BM_ReadGrid"),
    ("PNG, --cell 2", "BM_Png"),
]
SIDES = (100, 1000, 10000)
CARVE_LIMIT_NS = 15.0
# End-to-end limits at 10,000 x 10,000, in seconds.
GIANT_LIMITS_S = {"generate": 4.0, "solve": 4.0, "info": 4.0, "render png --cell 2": 6.0}
GIANT_CELLS = 10000 * 10000
GIANT_MEMORY_LIMIT = 1.5 * GIANT_CELLS + 64e6  # bytes


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


def median_runs(paths):
    """The median aggregate of every benchmark in the JSON files."""
    for path in paths:
        with open(path) as file:
            data = json.load(file)
        yield from (run for run in data.get("benchmarks", [])
                    if run.get("aggregate_name") == "median")


def medians(paths):
    """{benchmark name: (real us, cpu us)} from the median aggregates."""
    found = {}
    for run in median_runs(paths):
        scale = TO_MICROSECONDS[run.get("time_unit", "ns")]
        found[run["run_name"]] = (run["real_time"] * scale, run["cpu_time"] * scale)
    return found


def per_cell_ns(paths):
    """{(benchmark base name, side): ns a cell} from the median aggregates of
    benchmarks that count seconds a cell ("ns_per_cell" or "per_cell"). The
    side is the first number argument, or a "side:" one, or None; variants
    with a route drawn or a maze braided are left out."""
    found = {}
    for run in median_runs(paths):
        seconds = run.get("ns_per_cell", run.get("per_cell"))
        if seconds is None:
            continue
        # "BM_Png/side:100/route:0", "BM_ReadGrid/10000/iterations:3", "BM_CarveWindow100".
        # "growing-tree/newest/1000" keeps its word in the name.
        names, arguments = [], {}
        for part in run["run_name"].split("/"):
            if ":" in part:
                key, value = part.split(":", 1)
                arguments[key] = value
            elif part.isdigit():
                arguments.setdefault("side", part)
            else:
                names.append(part)
        if any(arguments.get(name, "0") != "0" for name in ("route", "braid%")):
            continue
        side = arguments.get("side")
        found[("/".join(names), int(side) if side else None)] = seconds * 1e9
    return found


def giant_sections(cells, cli):
    lines = [
        "",
        "## The command-line tool",
        "",
        "Work a cell, from the benchmarks (CPU time; the curve should stay flat):",
        "",
        "| Work | 100 x 100 | 1,000 x 1,000 | 10,000 x 10,000 | rise, 100 to 10,000 "
        "| rise, 1,000 to 10,000 |",
        "|---|---|---|---|---|---|",
    ]
    for label, name in PER_CELL:
        row = [cells.get((name, side)) for side in SIDES]
        shown = [f"{value:.1f} ns" if value is not None else "not measured" for value in row]
        rises = [f"{row[2] / start:.2f} x" if start and row[2] else "" for start in row[:2]]
        lines.append(f"| {label} | {' | '.join(shown)} | {' | '.join(rises)} |")
    lines += [
        "",
        "A 100 x 100 grid (10 KB) sits in the first-level cache; the searches, which",
        "jump between rows, pay for memory once the grid outgrows the caches, and from",
        "1,000 x 1,000 (1 MB) on their cost a cell stays flat.",
    ]
    carve = cells.get(("BM_CarveDepthFirst", 10000))
    compact = cells.get(("BM_CarveDepthFirst", 100))
    window = cells.get(("BM_CarveWindow100", None))
    lines += ["", "| Target | Measured | Limit | |", "|---|---|---|---|"]
    if carve is not None:
        lines.append(f"| carving alone at 10,000 x 10,000, the grid made beforehand | {carve:.1f} ns a cell "
                     f"| under {CARVE_LIMIT_NS:.0f} ns | {verdict(carve < CARVE_LIMIT_NS)} |")
    if compact is not None and window is not None:
        lines.append(f"| compact carver beside the window's, same 100 x 100 mazes "
                     f"| {compact:.1f} ns against {window:.1f} ns ({compact / window:.2f} x) "
                     f"| at most 0.5 x | {verdict(compact <= window / 2)} |")
    if cli:
        giant = cli.get(str(10000), {})
        for command, limit in GIANT_LIMITS_S.items():
            if command in giant:
                seconds = giant[command]["seconds"]
                lines.append(f"| `{command}` at 10,000 x 10,000, end to end | {seconds:.2f} s "
                             f"| under {limit:.0f} s | {verdict(seconds < limit)} |")
        peaks = {command: giant[command]["peak_kib"] * 1024 for command in giant
                 if isinstance(giant[command], dict)}
        if peaks:
            worst = max(peaks, key=peaks.get)
            lines.append(f"| peak memory of any command at 10,000 x 10,000 ({worst}) "
                         f"| {peaks[worst] / 2**20:.1f} MiB ({peaks[worst] / GIANT_CELLS:.2f} B a cell) "
                         f"| 1.5 B a cell + 64 MB = {GIANT_MEMORY_LIMIT / 2**20:.0f} MiB "
                         f"| {verdict(peaks[worst] < GIANT_MEMORY_LIMIT)} |")
        sides = sorted(int(side) for side in cli)
        commands = [name for name in cli[str(sides[0])] if isinstance(cli[str(sides[0])][name], dict)]
        lines += [
            "",
            "Each command end to end (process start to exit, median of its runs; the",
            "maze is a depth-first maze of seed 1; peak is the process's resident high-water mark):",
            "",
            "| Command | " + " | ".join(f"{side:,} x {side:,}" for side in sides) + " |",
            "|---|" + "---|" * len(sides),
        ]
        for command in commands:
            cells_row = []
            for side in sides:
                entry = cli[str(side)].get(command)
                cells_row.append(f"{entry['seconds'] * 1000:.1f} ms, {entry['peak_kib'] / 1024:.1f} MiB"
                                 if entry else "")
            lines.append(f"| `nitka-maze {command}` | " + " | ".join(cells_row) + " |")
    return lines


def methods_section(cells):
    names = sorted({name for name, side in cells if re.fullmatch(r"[a-z][a-z+\-/0-9.]*", name)})
    if not names:
        return []
    lines = ["", "Carving methods (`generate --algorithm`), CPU time a cell:", "",
             "| Method | 100 x 100 | 1,000 x 1,000 |", "|---|---|---|"]
    for name in names:
        row = [cells.get((name, side)) for side in (100, 1000)]
        label = "growing-tree (its default, mix:0.5)" if name == "growing-tree" else name
        lines.append(f"| {label} | " + " | ".join(
            f"{value:.1f} ns" if value is not None else "" for value in row) + " |")
    return lines


def duration(us):
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    return f"{us:.1f} µs"


def verdict(ok):
    return "met" if ok else "**missed**"


def report(args):
    times = medians(args.bench)
    cells = per_cell_ns(args.bench)
    with open(args.measure) as file:
        measured = json.load(file)
    cli = {}
    if args.cli:
        with open(args.cli) as file:
            cli = json.load(file)
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
    ]
    lines += giant_sections(cells, cli)
    lines += methods_section(cells)
    lines += [
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
        "(likewise every executable in build-bench/bench/) after `bash scripts/bench.sh`;",
        "the command-line tool end to end: `python3 bench/measure_cli.py build-bench/src/cli/nitka-maze`.",
        "",
    ]
    with open(args.out, "w") as out:
        out.write("\n".join(lines) + kept_sections(args.out))


# Sections measured by other scripts (scripts/bench_compare.sh,
# bench/measure_shapes.py, the animations), from the first of these headings
# on: kept as they are when the rest of the page is remade.
KEPT_FROM = ("## The rectangle before and after shapes", "## Shapes at scale", "## Animations")


def kept_sections(path):
    try:
        with open(path) as old:
            text = old.read()
    except FileNotFoundError:
        return ""
    starts = [text.index(heading) for heading in KEPT_FROM if heading in text]
    return "\n" + text[min(starts):] if starts else ""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--command", required=True)
    parser.add_argument("--commit", default="unknown")
    parser.add_argument("--measure", required=True)
    parser.add_argument("--cli", help="measure_cli.py's JSON")
    parser.add_argument("bench", nargs="*")
    report(parser.parse_args())


if __name__ == "__main__":
    main()
