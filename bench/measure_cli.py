"""Times every nitka-maze command end to end and takes its peak resident memory,
at 100 x 100, 1,000 x 1,000 and 10,000 x 10,000 cells; prints JSON.

    python3 measure_cli.py NITKA_MAZE [--sizes 100,1000,10000] [--runs 5]

Each figure is the median over the runs (the largest size: three runs). The
peak memory is the child's own high-water resident set, from wait4.
"""

import argparse
import json
import os
import statistics
import subprocess
import tempfile
import time


def run_once(args, cwd):
    """(seconds, peak resident KiB) of one run, which must succeed."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        process = subprocess.Popen(args, cwd=cwd, stdout=null, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        process.returncode = os.waitstatus_to_exitcode(status)
        error = process.stderr.read().decode(errors="replace")
        process.stderr.close()
    if process.returncode != 0:
        raise SystemExit(f"{' '.join(args)} failed with {process.returncode}: {error}")
    return elapsed, usage.ru_maxrss


def measure(tool, side, runs, workdir):
    maze = os.path.join(workdir, f"maze-{side}.txt")
    image = os.path.join(workdir, f"maze-{side}.png")
    commands = {
        "generate": [tool, "generate", "-W", str(side), "-H", str(side), "--seed", "1",
                     "-o", maze],
        "solve": [tool, "solve", maze],
        "solve --shortest": [tool, "solve", "--shortest", maze],
        "info": [tool, "info", maze],
        "render png --cell 2": [tool, "render", maze, "--cell", "2", "-o", image],
    }
    found = {}
    for name, args in commands.items():
        times, peaks = [], []
        for _ in range(runs):
            seconds, peak = run_once(args, workdir)
            times.append(seconds)
            peaks.append(peak)
        found[name] = {"seconds": statistics.median(times), "peak_kib": max(peaks)}
    found["file_bytes"] = os.path.getsize(maze)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tool")
    parser.add_argument("--sizes", default="100,1000,10000")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    results = {}
    with tempfile.TemporaryDirectory(prefix="nitka-measure-") as workdir:
        for side in (int(text) for text in args.sizes.split(",")):
            runs = args.runs if side < 10000 else min(args.runs, 3)
            results[str(side)] = measure(os.path.abspath(args.tool), side, runs, workdir)
    print(json.dumps(results, indent=1))


if __name__ == "__main__":
    main()
