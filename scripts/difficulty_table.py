#!/usr/bin/env python3
"""Writes docs/difficulty.md: how the difficulty score of `nitka-maze info` is
computed, and what it comes to over many mazes of each size and method, each
maze made by `nitka-maze generate` and measured by `nitka-maze info --json`.

    python3 scripts/difficulty_table.py --tool build/src/cli/nitka-maze [--seeds 20]
"""

import argparse
import json
import pathlib
import statistics
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
METHODS = ["depth-first", "prim", "wilson", "binary-tree"]
SIDES = [10, 20, 40, 80]
SHAPES = ["rect", "hex", "triangle", "polar"]

EXPLANATION = """\
# The difficulty score

`nitka-maze info` tells a maze's `difficulty` (and `"difficulty"` in
`--json`, after the other keys); `generate --difficulty` and `book` choose
mazes by it. It runs between the maze's start and target: the top-left and
bottom-right cells of a rectangle, the shape's own start and target otherwise,
or the exits a file keeps (`generate --exits farthest`).

## How it is computed

From a shortest route from the start to the target:

- **L**, the route's cells, both ends included;
- **R**, the cells reachable from the start;
- **J**, the decisions: cells of the route, the target excepted, that have an
  open way other than back along the route and on along it.

**E = L + (R - L) / 2** is the number of cells that a solver who walks at
random, and never goes back into a part of the maze it has already explored,
visits before it reaches the target, in expectation. In a perfect maze this is
exact, with no sampling: every part of the maze off the route hangs from one
route cell; at that cell the solver takes the way into the part before the way
on along the route with probability one half (of a random order of the ways,
each comes before the onward one half the time), and once in it explores it
whole before it can come back. So each cell off the route is visited with
probability one half, and the route's cells all. (A maze with loops is scored
by the same formula, which there is an estimate.)

**difficulty = E / 10 + J**, rounded to a tenth.

E grows with the size, as the share of the maze a person searches; J counts
the places where a person must choose, which a long winding route of few
junctions (depth-first) has few of and a short bushy one (prim) many. The cost
is one breadth-first search and one walk along the route: linear in the cells,
memory the search's queue and the route.

## Bands

`generate --difficulty` takes a band or a number N (which asks for 0.9 N up to
1.1 N) and carves mazes from seeds derived from `--seed` until one scores in
it; without `-W`/`-H` it also chooses the size, starting from the side that
scores about the band's aim by depth-first and moving towards it after each
try, and without `--algorithm` it uses depth-first.

| band   | scores          | aim | first side |
|--------|-----------------|-----|------------|
| easy   | under 30        | 15  | 10         |
| medium | 30 to under 120 | 70  | 22         |
| hard   | 120 to under 400| 240 | 42         |
| expert | 400 and up      | 600 | 70         |

`book --difficulty rising` aims at 15 for the first maze and 600 for the last,
growing by the same factor from one maze to the next.
"""


def score(tool, args):
    maze = subprocess.run([tool, "generate", "--quiet", *map(str, args)], check=True,
                          capture_output=True).stdout
    info = subprocess.run([tool, "info", "--json", "-"], input=maze, check=True,
                          capture_output=True).stdout
    return json.loads(info)["difficulty"]


def table(tool, seeds, header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    for label, make in rows:
        cells = []
        for side in SIDES:
            values = [score(tool, make(side, seed)) for seed in range(1, seeds + 1)]
            cells.append(f"{statistics.mean(values):.1f} ({min(values):.0f}-{max(values):.0f})")
        lines.append(f"| {label} | " + " | ".join(cells) + " |")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", default="build/src/cli/nitka-maze")
    parser.add_argument("--seeds", type=int, default=20)
    options = parser.parse_args()
    sizes = [f"{side} x {side}" for side in SIDES]
    by_method = table(options.tool, options.seeds, ["method"] + sizes,
                      [(method, lambda side, seed, method=method:
                        ["-W", side, "-H", side, "--algorithm", method, "--seed", seed])
                       for method in METHODS])
    by_shape = table(options.tool, options.seeds, ["shape"] + [f"side {side}" for side in SIDES],
                     [(shape, lambda side, seed, shape=shape:
                       ["--shape", shape, "-H", max(1, round(side / 1.77)), "--seed", seed]
                       if shape == "polar" else
                       ["--shape", shape, "-W", side, "-H", side, "--seed", seed])
                      for shape in SHAPES])
    text = (EXPLANATION + "\n## Over many mazes\n\n"
            f"The mean score of {options.seeds} mazes (seeds 1 to {options.seeds}) of each "
            "size and method, the least and the most in brackets; square rectangles, "
            "start top-left, target bottom-right:\n\n" + by_method +
            "\n\nDepth-first's long winding route makes E large and J small; prim, wilson and "
            "binary-tree have short routes with many junctions, and the two come out at "
            "much the same score. Every method grows by three to four times from one column "
            "to the next, where the cells grow four times: E with the cells, J with the "
            "route, which grows more slowly.\n\n"
            "Each shape by depth-first, side W = H (a polar maze of side / 1.77 rings, about "
            "as many cells):\n\n" + by_shape +
            "\n\nMade by `python3 scripts/difficulty_table.py --tool build/src/cli/nitka-maze`.\n")
    (ROOT / "docs" / "difficulty.md").write_text(text)


if __name__ == "__main__":
    main()
