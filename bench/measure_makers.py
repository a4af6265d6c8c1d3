"""What a pen plotter would do with a maze's SVG: the plotter SVG of
`render --plotter` beside the ordinary SVG of the same maze, the time each
takes to write, and the time and size of the maze's STL. Prints JSON. Run:

    python3 measure_makers.py BUILD/src/cli/nitka-maze [--size 1000] [--shape rect] [--runs 3]

For each of the two documents: the wall elements (each drawn with a pen
lift before it), and the pen's travel through the air from one element's
end to the next one's start, in cells (a plotter SVG's millimetres divided
by --cell-mm, an ordinary SVG's pixels by its cell size).
"""

import argparse
import json
import math
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

NUMBER = r"-?[\d.]+"


def elements(svg):
    """Each wall element's first and last point, in document order."""
    walls = svg[: svg.find("</g>")]
    for match in re.finditer(r'<line x1="([^"]+)" y1="([^"]+)" x2="([^"]+)" y2="([^"]+)"|'
                             r'<path d="([^"]+)"', walls):
        if match.group(5) is None:
            yield tuple(map(float, match.group(1, 2))), tuple(map(float, match.group(3, 4)))
            continue
        numbers = [float(n) for n in re.findall(NUMBER, match.group(5))]
        yield (numbers[0], numbers[1]), (numbers[-2], numbers[-1])


def pen_path(svg, unit):
    count = 0
    travel = 0.0
    pen = (0.0, 0.0)
    for start, end in elements(svg):
        count += 1
        travel += math.dist(pen, start)
        pen = end
    return {"elements": count, "pen_lifts": max(0, count - 1), "travel_cells": round(travel / unit)}


def timed(command, runs):
    times = []
    for _ in range(runs):
        began = time.perf_counter()
        subprocess.run(command, check=True, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - began)
    return round(statistics.median(times), 3)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tool")
    parser.add_argument("--size", type=int, default=1000)
    parser.add_argument("--shape", default="rect")
    parser.add_argument("--runs", type=int, default=3)
    arguments = parser.parse_args()
    report = {}
    with tempfile.TemporaryDirectory() as folder:
        maze = f"{folder}/maze.txt"
        subprocess.run([arguments.tool, "generate", "--shape", arguments.shape, "-W",
                        str(arguments.size), "-H", str(arguments.size), "--seed", "1", "-o", maze],
                       check=True, stderr=subprocess.DEVNULL)
        for name, options, unit in (("ordinary", ["--cell", "8"], 8.0),
                                    ("plotter", ["--plotter", "--cell-mm", "5"], 5.0)):
            out = f"{folder}/{name}.svg"
            command = [arguments.tool, "render", maze, "-o", out] + options
            report[name] = {"seconds": timed(command, arguments.runs)}
            with open(out, encoding="utf-8") as svg:
                report[name].update(pen_path(svg.read(), unit))
        solid = f"{folder}/maze.stl"
        report["stl"] = {"seconds": timed([arguments.tool, "render", maze, "-o", solid],
                                          arguments.runs),
                         "megabytes": round(os.path.getsize(solid) / 1e6)}
    json.dump(report, sys.stdout, indent=2)
    print()


if __name__ == "__main__":
    main()
