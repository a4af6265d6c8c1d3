"""Times generate, solve, solve --shortest and info of every shape end to end,
an old and a new build interleaved run by run, and prints a Markdown table of
each command's time a cell, its ratio to the rectangle's, and new against old.

    python3 measure_engine.py OLD_NITKA_MAZE NEW_NITKA_MAZE [--runs 3] [--method M]

The mazes: 3,000 x 3,000 cells of rect, hex and triangle and a polar maze of
1,700 rings (about 9 million cells each), seed 1. Each maze is made once by
the new build and read by both, so both measure the same file; generate writes
to a file of its own. A figure is the median of the runs.
"""

import argparse
import os
import statistics
import tempfile

from measure_cli import run_once

SHAPES = [
    ("rect", ["-W", "3000", "-H", "3000"]),
    ("hex", ["--shape", "hex", "-W", "3000", "-H", "3000"]),
    ("triangle", ["--shape", "triangle", "-W", "3000", "-H", "3000"]),
    ("polar", ["--shape", "polar", "-H", "1700"]),
]
COMMANDS = ["generate", "solve", "solve --shortest", "info"]


def cell_count(tool, maze, workdir):
    """The maze's cells, as info --json tells them."""
    import json
    import subprocess
    info = subprocess.run([tool, "info", "--json", maze], cwd=workdir, check=True,
                          capture_output=True).stdout
    return json.loads(info)["cells"]


def command_line(tool, command, shape, method, maze, workdir):
    if command == "generate":
        out = os.path.join(workdir, "generated.txt")
        return [tool, "generate", *shape, *method, "--seed", "1", "-q", "-o", out]
    return [tool, *command.split(), maze]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--method", default=None)
    args = parser.parse_args()
    tools = {"old": os.path.abspath(args.old), "new": os.path.abspath(args.new)}
    method = ["--algorithm", args.method] if args.method else []
    rows = {}
    with tempfile.TemporaryDirectory(prefix="nitka-engine-") as workdir:
        for name, shape in SHAPES:
            maze = os.path.join(workdir, f"{name}.txt")
            run_once([tools["new"], "generate", *shape, *method, "--seed", "1", "-q", "-o", maze],
                     workdir)
            cells = cell_count(tools["new"], maze, workdir)
            for command in COMMANDS:
                times = {"old": [], "new": []}
                for _ in range(args.runs):
                    for side in ("old", "new"):
                        line = command_line(tools[side], command, shape, method, maze, workdir)
                        times[side].append(run_once(line, workdir)[0])
                rows[(name, command)] = {side: statistics.median(runs) / cells * 1e9
                                         for side, runs in times.items()}
            os.remove(maze)
    print("| Shape | Command | old ns a cell | new ns a cell | new / old | new / rect |")
    print("|---|---|---|---|---|---|")
    for (name, command), figure in rows.items():
        rect = rows[("rect", command)]["new"]
        print(f"| {name} | {command} | {figure['old']:.1f} | {figure['new']:.1f} "
              f"| {figure['new'] / figure['old']:.3f} | {figure['new'] / rect:.2f} |")


if __name__ == "__main__":
    main()
