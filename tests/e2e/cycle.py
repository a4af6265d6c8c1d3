"""One user's session with the program: generate, solve, save, load, solve, exit.

Used by the memory measurement and by the valgrind run, which both need the
program to do all of its work once. As a script it runs the cycle and ends
with the program's exit status:

    python3 cycle.py PROGRAM [--size N] [--wrapper 'valgrind --error-exitcode=99']
"""

import argparse
import os
import shlex
import sys
import tempfile

from maze_picture import BLACK, BLUE
from maze_user import MazeUser
from xsession import DriverError, x_server


def run_session(env, executable, work, wrapper=(), echo_log=False):
    """Starts the program in a directory of its own, calls work(program) and
    presses EXIT; returns the exit status and what work returned."""
    with tempfile.TemporaryDirectory(prefix="nitka-session-") as workdir:
        program = MazeUser(env, executable, workdir, wrapper)
        try:
            result = work(program)
            program.click("Button6")
            return program.wait_exit(), result
        finally:
            program.stop()
            if echo_log:
                print(program.log(), end="", file=sys.stderr)


def work_through(program, size=100):
    """Every command once on a size x size maze, each checked on screen."""
    program.find_main_window()
    maze = program.generate(size, size)
    route = maze.route()
    program.click("BtChemin")
    program.expect_maze(maze, BLUE, route)
    program.click("Button4")
    # The drawing pass left the pen black, so LOAD's clearing edges are black.
    program.expect_maze(maze, BLACK)
    program.click("BtChemin")
    program.expect_maze(maze, BLACK, route)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--size", type=int, default=100)
    parser.add_argument("--wrapper", default="", help="command to run the program under")
    args = parser.parse_args()
    with x_server() as env:
        try:
            return run_session(env, os.path.abspath(args.program),
                               lambda program: work_through(program, args.size),
                               shlex.split(args.wrapper), echo_log=True)[0]
        except DriverError as error:
            print(f"cycle failed: {error}", file=sys.stderr)
            return 2


if __name__ == "__main__":
    sys.exit(main())
