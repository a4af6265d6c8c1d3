#!/usr/bin/env python3
"""Measures how the carving methods that work on every shape behave on each
shape, and draws one maze of each shape for the README, with the tool itself.

Writes the section between the shapes markers of docs/algorithms.md (adding
it at the end when there is none; scripts/algorithms_table.py keeps it when it
remakes the page) and the pictures in docs/shapes/.

    python3 scripts/shapes_table.py --tool build/src/cli/nitka-maze [--seeds 100]
"""

import argparse
import json
import pathlib
import statistics
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
BEGIN = "<!-- shapes: made by scripts/shapes_table.py -->"
END = "<!-- end of shapes -->"

# Layouts of about 3,600 cells each, so that the shapes compare at one size.
SHAPES = [
    ("rect", ["-W", "60", "-H", "60"]),
    ("hex", ["--shape", "hex", "-W", "60", "-H", "60"]),
    ("triangle", ["--shape", "triangle", "-W", "85", "-H", "42"]),
    ("polar", ["--shape", "polar", "-H", "33"]),
]
METHODS = ["depth-first", "wilson"]

# The README's pictures: (file, generate's options, render's options).
PICTURES = [
    ("hex", ["--shape", "hex", "-W", "16", "-H", "12"], ["--cell", "14"]),
    ("triangle", ["--shape", "triangle", "-W", "24", "-H", "12"], ["--cell", "16"]),
    ("polar", ["--shape", "polar", "-H", "9"], ["--cell", "13"]),
    ("mask", ["--mask", "docs/shapes/heart.txt"], ["--cell", "12"]),
]

HEART = """\
..#####.....#####..
.#######...#######.
###################
###################
###################
.#################.
..###############..
...#############...
....###########....
......#######......
........###........
.........#.........
"""


def run(tool, *args, stdin=None):
    return subprocess.run([tool, *args], input=stdin, capture_output=True, check=True,
                          cwd=ROOT).stdout


def dead_end_share(tool, options, method, seed):
    maze = run(tool, "generate", *options, "--algorithm", method, "--seed", str(seed))
    facts = json.loads(run(tool, "info", "--json", stdin=maze))
    return facts["dead_ends"] / facts["cells"]


def section(tool, seeds):
    header = "| Method | " + " | ".join(f"`{shape}`" for shape, _ in SHAPES) + " |"
    lines = [header, "|---|" + "---:|" * len(SHAPES)]
    for method in METHODS:
        cells = []
        for _, options in SHAPES:
            shares = [dead_end_share(tool, options, method, seed) for seed in range(1, seeds + 1)]
            cells.append(f"{100 * statistics.mean(shares):.1f}%")
        lines.append(f"| `{method}` | " + " | ".join(cells) + " |")
    sizes = ", ".join(f"`{shape}` {' '.join(options)}" for shape, options in SHAPES)
    return "\n".join([
        BEGIN,
        "## On every shape",
        "",
        f"The share of dead ends, cells with one opening, over {seeds} seeds (1 to {seeds}) of "
        f"layouts of about 3,600 cells ({sizes}); remade with "
        "`python3 scripts/shapes_table.py --tool build/src/cli/nitka-maze`.",
        "",
        *lines,
        "",
        "`depth-first` leaves about one cell in ten a dead end on every shape: it walks on "
        "while any neighbour is new, however many a cell has, and backs up only when none is. "
        "`wilson` draws every perfect maze of a layout equally likely, so its share is the "
        "layout's own, and it follows the number of neighbours: hexagons, with six, have the "
        "most dead ends, triangles, with three, the fewest, and squares and the polar rings, "
        "with about four, lie between.",
        END,
    ])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", required=True)
    parser.add_argument("--seeds", type=int, default=100)
    options = parser.parse_args()
    tool = str(pathlib.Path(options.tool).resolve())

    (ROOT / "docs/shapes/heart.txt").write_text(HEART)
    for name, generate, render in PICTURES:
        maze = run(tool, "generate", *generate, "--seed", "2026")
        run(tool, "render", "--route", *render, "-o", f"docs/shapes/{name}.png", stdin=maze)

    page_path = ROOT / "docs/algorithms.md"
    page = page_path.read_text()
    made = section(tool, options.seeds)
    if BEGIN in page:
        start, end = page.index(BEGIN), page.index(END) + len(END)
        page = page[:start] + made + page[end:]
    else:
        page = page.rstrip("\n") + "\n\n" + made + "\n"
    page_path.write_text(page)


if __name__ == "__main__":
    main()
