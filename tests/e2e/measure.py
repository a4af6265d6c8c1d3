"""Measures the program as a user meets it: start-up time and peak memory.

Start-up is the time from just before the process is created to the moment
its main window is mapped on a private X server, over several runs. Peak
memory is the process's high-water resident set (VmHWM) after it has done
all of its work once on the largest maze. Prints one JSON object.

    python3 measure.py PROGRAM [--runs N]
"""

import argparse
import contextlib
import functools
import json
import os
import statistics
import sys

from cycle import run_session, work_through
from xsession import MAIN_CAPTION, DriverError, XConnection, x_server


def startup_seconds(connection, program):
    while True:
        # The caption is read after the time was taken, so it costs nothing.
        mapped_at, window = connection.next_map()
        if window in program.windows(MAIN_CAPTION):
            program.window = window
            return mapped_at - program.started_at


def peak_memory_kib(program):
    work_through(program)
    with open(f"/proc/{program.process.pid}/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    executable = os.path.abspath(args.program)
    with x_server() as env:
        with contextlib.closing(XConnection(env)) as connection:
            connection.watch_maps()
            measure = functools.partial(startup_seconds, connection)
            # The first run pays for cold file caches; it is not counted.
            runs = [run_session(env, executable, measure) for _ in range(args.runs + 1)]
        runs.append(run_session(env, executable, peak_memory_kib))
    if any(status != 0 for status, _ in runs):
        raise DriverError("EXIT did not end the program with status 0")
    times = [seconds for _, seconds in runs[1:-1]]
    json.dump({
        "startup_runs": args.runs,
        "startup_median_ms": round(statistics.median(times) * 1000, 1),
        "startup_min_ms": round(min(times) * 1000, 1),
        "startup_max_ms": round(max(times) * 1000, 1),
        "peak_rss_mib": round(runs[-1][1] / 1024, 1),
    }, sys.stdout, indent=2)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
