"""Times generate, solve and info of the large non-rectangular mazes end to
end and takes each command's peak resident memory; prints a Markdown table.

    python3 measure_shapes.py NITKA_MAZE [--runs 1]

The mazes: a 3,000 x 3,000 hexagonal maze and a polar maze of 2,000 rings,
each by the default method and by wilson, seed 1. Each time is the median of
the runs; the peak the largest.
"""

import argparse
import os
import statistics
import tempfile

from measure_cli import run_once

MAZES = [
    ("hex 3,000 x 3,000", ["--shape", "hex", "-W", "3000", "-H", "3000"]),
    ("polar, 2,000 rings", ["--shape", "polar", "-H", "2000"]),
]
METHODS = [("default", []), ("wilson", ["--algorithm", "wilson"])]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tool")
    parser.add_argument("--runs", type=int, default=1)
    args = parser.parse_args()
    tool = os.path.abspath(args.tool)
    print("| Maze | Method | generate | solve | info | file |")
    print("|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory(prefix="nitka-shapes-") as workdir:
        maze = os.path.join(workdir, "maze.txt")
        for label, shape in MAZES:
            for method, extra in METHODS:
                commands = [[tool, "generate", *shape, *extra, "--seed", "1", "-o", maze],
                            [tool, "solve", maze], [tool, "info", maze]]
                cells = []
                for command in commands:
                    runs = [run_once(command, workdir) for _ in range(args.runs)]
                    seconds = statistics.median(run[0] for run in runs)
                    peak = max(run[1] for run in runs)
                    cells.append(f"{seconds:.2f} s, {peak / 1024:.0f} MiB")
                size = os.path.getsize(maze) / 2**20
                print(f"| {label} | {method} | {' | '.join(cells)} | {size:.0f} MiB |", flush=True)


if __name__ == "__main__":
    main()
