"""One user's session with the program: generate, solve, save, load, solve, exit.

Used by the memory measurement and by the valgrind run, which both need the
program to do all of its work once. As a script it runs the cycle and ends
with the program's exit status:

    python3 cycle.py PROGRAM [--size N] [--wrapper 'valgrind --error-exitcode=99']
"""

import argparse
import shlex
import shutil
import sys
import tempfile

from maze_picture import BLACK, BLUE
from maze_user import MazeUser
from xsession import DriverError, Program, XServer


class Session(MazeUser):
    """A running program in a working directory of its own."""

    def __init__(self, xserver, executable, wrapper=()):
        self.workdir = tempfile.mkdtemp(prefix="nitka-cycle-")
        self.program = Program(xserver, executable, self.workdir, wrapper)

    def close(self):
        self.program.stop()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def expect_picture(self, maze, edge_colour, dots=()):
        difference = self.wait_for_picture(self.expected_maze_picture(maze, edge_colour, dots))
        if difference:
            raise DriverError(difference)


def work_through(session, size):
    """Every command once on a size x size maze, each checked on screen.

    Leaves the program running, so that its memory can still be read.
    """
    maze = session.generate(size, size)
    route = maze.route()
    session.program.click("BtChemin")
    session.expect_picture(maze, BLUE, route)
    session.program.click("Button4")
    # The drawing pass left the pen black, so LOAD's clearing edges are black.
    session.expect_picture(maze, BLACK)
    session.program.click("BtChemin")
    session.expect_picture(maze, BLACK, route)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--size", type=int, default=100)
    parser.add_argument("--wrapper", default="", help="command to run the program under")
    args = parser.parse_args()
    with XServer() as xserver:
        session = Session(xserver, args.program, shlex.split(args.wrapper))
        try:
            session.program.find_main_window()
            work_through(session, args.size)
            session.program.click("Button6")
            status = session.program.wait_exit()
        except DriverError as error:
            print(f"cycle failed: {error}", file=sys.stderr)
            status = 2
        finally:
            session.program.stop()
            print(session.program.log(), end="", file=sys.stderr)
            session.close()
    return status

if __name__ == "__main__":
    sys.exit(main())
