"""Times the Python package against the tool, each in a fresh process; prints
JSON. Run with the built package on the path:

    PYTHONPATH=BUILD/python /usr/bin/python3 measure_python.py BUILD/src/cli/nitka-maze [--runs 5]

- batch: nitka.batch(100_000, 15, 15) with its grids, in the process, the
  imports of nitka and NumPy left out; threads 1 and every core.
- generate: nitka.generate(1000, 1000, seed=1) and its grid(), in the
  process, beside the tool's `generate -W 1000 -H 1000 --seed 1 -o FILE`,
  the whole process (start, carve, write).

Each figure is the median of the runs, in seconds.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

IN_PROCESS = """
import sys, time
import numpy  # imported by the caller's program anyway; not the package's work
import nitka
what = sys.argv[1]
start = time.perf_counter()
if what == "batch":
    nitka.batch(100_000, 15, 15, threads=int(sys.argv[2]) or None).grids
else:
    nitka.generate(1000, 1000, seed=1).grid()
print(time.perf_counter() - start)
"""


def in_process(*args):
    done = subprocess.run([sys.executable, "-c", IN_PROCESS, *args], capture_output=True,
                          check=True)
    return float(done.stdout)


def tool_generate(tool, folder):
    start = time.perf_counter()
    subprocess.run([tool, "generate", "-W", "1000", "-H", "1000", "--seed", "1", "-o",
                    os.path.join(folder, "maze.txt")], check=True)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    median = lambda measure: round(statistics.median(measure() for _ in range(options.runs)), 3)
    with tempfile.TemporaryDirectory() as folder:
        found = {
            "batch 100000 x 15x15, 1 thread": median(lambda: in_process("batch", "1")),
            "batch 100000 x 15x15, every core": median(lambda: in_process("batch", "0")),
            "generate 1000x1000 + grid()": median(lambda: in_process("generate")),
            "nitka-maze generate 1000x1000": median(lambda: tool_generate(options.tool, folder)),
        }
    print(json.dumps(found, indent=2))


if __name__ == "__main__":
    main()
