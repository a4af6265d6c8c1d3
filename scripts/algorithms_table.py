#!/usr/bin/env python3
"""Writes docs/algorithms.md: every carving method of `nitka-maze generate`
measured over many seeds by `nitka-maze info --json`, its speed, and a small
picture of each, drawn by the tool.

Speed comes from methods_bench's JSON when --bench names one (made by
methods_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
--benchmark_out=methods.json --benchmark_out_format=json), else from timing
`nitka-maze generate` at 1000 x 1000 cells, which also counts the process and
the writing of the maze file. The paragraph between the reading markers of an
existing page is kept, so that remaking the numbers keeps what was written
about them; read them again after a remake. So is everything from the shapes
marker on, which scripts/shapes_table.py writes.

    python3 scripts/algorithms_table.py --tool build/src/cli/nitka-maze \\
        [--bench methods.json]
"""

import argparse
import datetime
import json
import os
import pathlib
import platform
import re
import shlex
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (label, generate's options, methods_bench's name): every method, and
# growing-tree with each of its picks; its default pick is mix:0.5.
ROWS = [
    ("depth-first", ["--algorithm", "depth-first"], "depth-first"),
    ("prim", ["--algorithm", "prim"], "prim"),
    ("kruskal", ["--algorithm", "kruskal"], "kruskal"),
    ("wilson", ["--algorithm", "wilson"], "wilson"),
    ("aldous-broder", ["--algorithm", "aldous-broder"], "aldous-broder"),
    ("hunt-and-kill", ["--algorithm", "hunt-and-kill"], "hunt-and-kill"),
    ("growing-tree newest", ["--algorithm", "growing-tree", "--pick", "newest"],
     "growing-tree/newest"),
    ("growing-tree random", ["--algorithm", "growing-tree", "--pick", "random"],
     "growing-tree/random"),
    ("growing-tree oldest", ["--algorithm", "growing-tree", "--pick", "oldest"],
     "growing-tree/oldest"),
    ("growing-tree mix:0.5", ["--algorithm", "growing-tree", "--pick", "mix:0.5"], "growing-tree"),
    ("eller", ["--algorithm", "eller"], "eller"),
    ("binary-tree", ["--algorithm", "binary-tree"], "binary-tree"),
    ("sidewinder", ["--algorithm", "sidewinder"], "sidewinder"),
    ("recursive-division", ["--algorithm", "recursive-division"], "recursive-division"),
]

READING_BEGIN = "<!-- reading: kept by the script when it remakes this page -->"
READING_END = "<!-- end of reading -->"
SHAPES_BEGIN = "<!-- shapes: made by scripts/shapes_table.py -->"
# The animations of docs/, made by nitka-maze animate, kept under the pictures.
WATCH_IT_HAPPEN = """## Watch it happen

`nitka-maze animate` shows a method at work: depth-first's stack (blue) running into dead ends
and backing up, Wilson's walk (pink) erasing its loops until it meets the maze, then the window's
route search trying cells (yellow) and giving up on branches (grey). 20 x 15 cells, seed 7, six
seconds:

| `nitka-maze animate -W 20 -H 15 --seed 7 --duration 6 -o docs/animate-depth-first.gif` | `nitka-maze animate -W 20 -H 15 --seed 7 --algorithm wilson --duration 6 -o docs/animate-wilson.gif` |
|---|---|
| ![depth-first carving and solving](animate-depth-first.gif) | ![wilson carving and solving](animate-wilson.gif) |
""".rstrip("\n")
PICTURES_PER_ROW = 4


def file_name(label):
    """growing-tree mix:0.5 -> growing-tree-mix-0.5"""
    return re.sub(r"[ :]+", "-", label)


def measure(tool, options, seed, side):
    """info --json of one generated maze, through a pipe as a user would."""
    generate = subprocess.Popen([tool, "generate", *options, "--seed", str(seed), "-W", str(side),
                                 "-H", str(side)], stdout=subprocess.PIPE)
    info = subprocess.run([tool, "info", "--json", "-"], stdin=generate.stdout,
                          capture_output=True, check=True)
    generate.stdout.close()
    if generate.wait() != 0:
        sys.exit(f"generate {' '.join(options)} --seed {seed} failed")
    return json.loads(info.stdout)


def means(tool, options, seeds, side):
    shares = {"dead": [], "route": [], "shortest": [], "corridor": []}
    for seed in range(1, seeds + 1):
        facts = measure(tool, options, seed, side)
        if not facts["perfect"]:
            sys.exit(f"{' '.join(options)} --seed {seed}: not a perfect maze")
        cells = facts["cells"]
        shares["dead"].append(facts["dead_ends"] / cells)
        shares["route"].append(facts["route_cells"] / cells)
        shares["shortest"].append(facts["shortest_cells"] / cells)
        # From the counts: info rounds its own mean to two decimals.
        shares["corridor"].append(facts["passages"] / facts["corridors"])
    return {key: statistics.fmean(values) for key, values in shares.items()}


def timed_ns_per_cell(tool, options, side=1000, runs=3):
    """The fastest of runs of generate at side x side, its output thrown away."""
    best = float("inf")
    for run in range(runs):
        start = time.perf_counter()
        subprocess.run([tool, "generate", *options, "--seed", str(run + 1), "-W", str(side),
                        "-H", str(side)], stdout=subprocess.DEVNULL, check=True)
        best = min(best, time.perf_counter() - start)
    return best * 1e9 / (side * side)


def bench_ns_per_cell(bench, name):
    """The per_cell counter (seconds) of name at 1000 x 1000, else at 100 x 100;
    the median of repetitions where the JSON has aggregates."""
    runs = {}
    for entry in bench["benchmarks"]:
        if entry.get("aggregate_name", "median") == "median" and "per_cell" in entry:
            runs.setdefault(entry["run_name"], []).append(entry["per_cell"])
    for side in (1000, 100):
        if f"{name}/{side}" in runs:
            return statistics.median(runs[f"{name}/{side}"]) * 1e9, side
    sys.exit(f"the benchmark JSON has no {name}/1000 or {name}/100")


def machine():
    model = "unknown"
    try:
        for line in pathlib.Path("/proc/cpuinfo").read_text().splitlines():
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    except OSError:
        pass
    cores = len(os.sched_getaffinity(0))
    return f"{model}, {cores} cores available, {platform.system()} {platform.release()}"


def commit():
    def git(*args):
        return subprocess.run(["git", "-C", str(ROOT), *args], capture_output=True,
                              text=True).stdout.strip()
    head = git("rev-parse", "--short", "HEAD") or "unknown"
    return head + (" with changes" if git("status", "--porcelain", "--untracked-files=no") else "")


def kept_reading(out):
    if out.exists():
        text = out.read_text()
        if READING_BEGIN in text and READING_END in text:
            return text[text.index(READING_BEGIN):text.index(READING_END) + len(READING_END)]
    return f"{READING_BEGIN}\n(What the numbers say goes here.)\n{READING_END}"


def kept_sections(out):
    """What other scripts wrote at the end of the page (scripts/shapes_table.py), kept."""
    if out.exists():
        text = out.read_text()
        if SHAPES_BEGIN in text:
            return "\n\n" + text[text.index(SHAPES_BEGIN):].rstrip("\n")
    return ""


def render_pictures(tool, pictures, side, seed):
    pictures.mkdir(parents=True, exist_ok=True)
    for label, options, _ in ROWS:
        generate = subprocess.run([tool, "generate", *options, "--seed", str(seed), "-W", str(side),
                                   "-H", str(side)], capture_output=True, check=True)
        subprocess.run([tool, "render", "-", "--route", "--cell", "8", "-o",
                        str(pictures / (file_name(label) + ".png"))],
                       input=generate.stdout, check=True)


def picture_table(pictures, out):
    relative = os.path.relpath(pictures, out.parent)
    lines = []
    for start in range(0, len(ROWS), PICTURES_PER_ROW):
        chunk = ROWS[start:start + PICTURES_PER_ROW]
        lines.append("| " + " | ".join(f"`{label}`" for label, _, _ in chunk) + " |")
        lines.append("|" + "---|" * len(chunk))
        lines.append("| " + " | ".join(f"![{label}]({relative}/{file_name(label)}.png)"
                                       for label, _, _ in chunk) + " |")
        lines.append("")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tool", required=True, help="the nitka-maze to run")
    parser.add_argument("--bench", help="methods_bench's --benchmark_out JSON, for the speed")
    parser.add_argument("--seeds", type=int, default=100)
    parser.add_argument("--side", type=int, default=100)
    parser.add_argument("--out", default=str(ROOT / "docs/algorithms.md"))
    args = parser.parse_args()
    tool = str(pathlib.Path(args.tool).resolve())
    out = pathlib.Path(args.out).resolve()
    pictures = out.parent / "algorithms"
    bench = json.loads(pathlib.Path(args.bench).read_text()) if args.bench else None

    rows = []
    for label, options, bench_name in ROWS:
        print(f"measuring {label}", file=sys.stderr)
        found = means(tool, options, args.seeds, args.side)
        if bench:
            found["ns"], found["ns_side"] = bench_ns_per_cell(bench, bench_name)
        else:
            found["ns"], found["ns_side"] = timed_ns_per_cell(tool, options), 1000
        rows.append((label, found))
    picture_side, picture_seed = 24, 1
    render_pictures(tool, pictures, picture_side, picture_seed)

    commands = []
    if bench:
        context = bench.get("context", {})
        repetitions = max((entry.get("repetitions", 1) for entry in bench["benchmarks"]), default=1)
        speed = ("processor time a cell carving in memory, the median of methods_bench's "
                 f"{repetitions} repetitions, at 1000 x 1000 cells")
        commands.append(" ".join([shlex.quote(context.get("executable", "methods_bench")),
                                  f"--benchmark_repetitions={repetitions}",
                                  "--benchmark_report_aggregates_only=true",
                                  f"--benchmark_out={shlex.quote(args.bench)}",
                                  "--benchmark_out_format=json"]))
    else:
        speed = ("wall time a cell of the fastest of 3 runs of `nitka-maze generate` at "
                 "1000 x 1000 cells, writing the maze file to /dev/null: it counts the process "
                 "and the file as well as the carving")
    commands.append(" ".join(["python3 scripts/algorithms_table.py"] +
                             [shlex.quote(arg) for arg in sys.argv[1:]]))
    table = ["| Method | Dead ends | Route | Shortest route | Mean corridor | ns a cell |",
             "|---|---:|---:|---:|---:|---:|"]
    for label, found in rows:
        side_note = "" if found["ns_side"] == 1000 else f" (at {found['ns_side']} x " \
            f"{found['ns_side']})"
        table.append(f"| `{label}` | {found['dead']:.1%} | {found['route']:.1%} | "
                     f"{found['shortest']:.1%} | {found['corridor']:.2f} | "
                     f"{found['ns']:.1f}{side_note} |")

    page = f"""# Carving methods

What `nitka-maze generate --algorithm NAME` makes, measured by `nitka-maze info --json` over
{args.seeds} seeds (1 to {args.seeds}) at {args.side} x {args.side} cells.

Made {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC at commit {commit()} on
{machine()}, by running in the top folder:

{chr(10).join("    " + line for line in commands)}

{chr(10).join(table)}

- **Dead ends**: the share of cells with exactly one opening.
- **Route**: the cells of the window's route from the top-left to the bottom-right cell, as a share
  of all cells; **Shortest route** the same for a shortest one. Every method makes a perfect maze,
  where the two are the same route.
- **Mean corridor**: steps a corridor, a corridor being a run of passages between cells that are not
  exactly two-way (dead ends and junctions): the maze's passages over its corridors.
- **ns a cell**: {speed}.

{kept_reading(out)}

## One of each

{picture_side} x {picture_side} cells, seed {picture_seed}, the window's route drawn:
`nitka-maze generate --algorithm NAME --seed {picture_seed} -W {picture_side} -H {picture_side} |
nitka-maze render - --route --cell 8 -o docs/algorithms/NAME.png`.

{picture_table(pictures, out)}

{WATCH_IT_HAPPEN}{kept_sections(out)}
"""
    out.write_text(page)
    print(f"wrote {out}", file=sys.stderr)


if __name__ == "__main__":
    main()
