"""Measures the program as a user meets it: start-up time and peak memory.

Start-up is the time from just before the process is created to the moment
its main window is mapped on a private X server, over several runs. Peak
memory is the process's high-water resident set (VmHWM) after it has done
all of its work once on the largest maze. Prints one JSON object.

    python3 measure.py PROGRAM [--runs N]
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

from cycle import Session, work_through
from xsession import MAIN_CAPTION, DriverError, Program, XConnection, XServer


def window_name(xserver, window):
    done = subprocess.run(["xdotool", "getwindowname", str(window)], env=xserver.env(),
                          capture_output=True, timeout=10)
    return done.stdout.decode().rstrip("\n")


def startup_seconds(xserver, connection, executable):
    """One run: seconds from process creation to its main window being mapped."""
    workdir = tempfile.mkdtemp(prefix="nitka-startup-")
    program = Program(xserver, executable, workdir)
    try:
        while True:
            mapped = connection.next_map(timeout=30)
            if mapped is None:
                raise DriverError("the main window was never mapped")
            # The caption is read after the time was taken, so it costs nothing.
            mapped_at, window = mapped
            if window_name(xserver, window) == MAIN_CAPTION:
                break
        program.window = window
        program.click("Button6")
        if program.wait_exit() != 0:
            raise DriverError("EXIT did not end the program with status 0")
        return mapped_at - program.started_at
    finally:
        program.stop()
        shutil.rmtree(workdir, ignore_errors=True)


def peak_memory_kib(xserver, executable):
    session = Session(xserver, executable)
    try:
        session.program.find_main_window()
        work_through(session, 100)
        with open(f"/proc/{session.program.process.pid}/status") as status:
            fields = dict(line.split(":", 1) for line in status if ":" in line)
        session.program.click("Button6")
        session.program.wait_exit()
        return int(fields["VmHWM"].split()[0])
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    with XServer() as xserver:
        connection = XConnection(xserver.display)
        try:
            connection.watch_maps()
            # The first run pays for cold file caches; it is not counted.
            startup_seconds(xserver, connection, program)
            times = [startup_seconds(xserver, connection, program) for _ in range(args.runs)]
        finally:
            connection.close()
        peak = peak_memory_kib(xserver, program)
    json.dump({
        "startup_runs": args.runs,
        "startup_median_ms": round(statistics.median(times) * 1000, 1),
        "startup_min_ms": round(min(times) * 1000, 1),
        "startup_max_ms": round(max(times) * 1000, 1),
        "peak_rss_mib": round(peak / 1024, 1),
    }, sys.stdout, indent=2)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
