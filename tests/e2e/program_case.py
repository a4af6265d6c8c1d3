"""A test case that owns one running program, its X server and its directory."""

import os
import shutil
import tempfile
import unittest

import maze_picture
from maze_picture import Maze
from xsession import (CONTROLS, DriverError, NOTICE_CAPTION, Program, XServer, wait_until)

FILE_NAME = "labird.txt"


def executable():
    path = os.environ.get("NITKA_EXE")
    if not path:
        raise unittest.SkipTest("NITKA_EXE names no program to test")
    return path


class ProgramCase(unittest.TestCase):
    """Starts the program in a fresh directory on a fresh display for each test."""

    program_path = None  # the installed copy tests set this; others use NITKA_EXE

    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix="nitka-e2e-")
        self.addCleanup(shutil.rmtree, self.workdir, ignore_errors=True)
        self.xserver = XServer().__enter__()
        self.addCleanup(self.xserver.__exit__, None, None, None)
        self.program = self.start_program(self.program_path or executable())

    def start_program(self, path):
        program = Program(self.xserver, path, self.workdir)
        self.addCleanup(self._report_and_stop, program)
        program.find_main_window()
        return program

    @staticmethod
    def _report_and_stop(program):
        # ctest shows this only when the test fails: then a sanitizer's report
        # or Qt's warnings tell why.
        program.stop()
        log = program.log()
        if log.strip():
            print(f"--- program output ---\n{log}")

    # ---- files --------------------------------------------------------------

    @property
    def maze_file(self):
        return os.path.join(self.workdir, FILE_NAME)

    def write_maze_file(self, data):
        with open(self.maze_file, "wb") as file:
            file.write(data)

    def read_maze_file(self):
        with open(self.maze_file, "rb") as file:
            return file.read()

    def save(self):
        """Presses "SAVE" and returns the maze of the complete file it writes."""
        if os.path.exists(self.maze_file):
            os.remove(self.maze_file)
        self.program.click("Button5")

        def complete_maze():
            try:
                return Maze.from_file_text(self.read_maze_file())
            except (OSError, ValueError):
                return None  # not there yet, or still being written

        return wait_until(complete_maze, "a complete maze file")

    # ---- screen -------------------------------------------------------------

    def picture(self):
        width, height = maze_picture.PICTURE_SIZE
        return self.program.screenshot().crop_rows(width, height)

    def background(self):
        return self.program.screenshot().pixel(*maze_picture.BACKGROUND_PROBE)

    def assert_picture(self, expected):
        """Waits for the picture to become exactly `expected`; reports the difference."""
        last = []

        def matches():
            last[:] = [self.picture()]
            return last[0] == expected

        try:
            wait_until(matches, "the expected picture", timeout=15)
        except DriverError:
            self.fail(maze_picture.describe_differences(expected, last[0]))

    def assert_maze_on_screen(self, maze, edge_colour, dots=()):
        black = maze_picture.wall_pixels(maze) | maze_picture.dot_pixels(maze, dots)
        self.assert_picture(maze_picture.expected_picture(self.background(), edge_colour, black))

    def wait_for_frame(self, width, height):
        """Waits until the frame of a maze of this size is on screen, i.e. drawing ended."""
        size = maze_picture.cell_size(width, height)
        right = maze_picture.MARGIN + width * size
        bottom = maze_picture.MARGIN + height * size

        def drawn():
            shot = self.program.screenshot()
            return (all(shot.pixel(x, bottom) == maze_picture.BLACK for x in range(right + 1))
                    and all(shot.pixel(right, y) == maze_picture.BLACK for y in range(1, bottom)))

        wait_until(drawn, f"a {width} x {height} maze on screen")

    def assert_no_boxes(self):
        others = [name for window, name in self.program.windows() if window != self.program.window]
        self.assertEqual(others, [], "no message box should be open")

    # ---- input --------------------------------------------------------------

    def set_size(self, width, height):
        self.program.type_into("SpinEdit1", str(width))
        self.program.type_into("SpinEdit2", str(height))

    def generate(self, width, height):
        """Sets the size, presses "Depth-First" and returns the saved maze."""
        self.set_size(width, height)
        self.program.click("BtGo")
        self.wait_for_frame(width, height)
        self.assert_no_boxes()
        return self.save()

    def close_only_notice(self):
        boxes = self.program.wait_for_box(NOTICE_CAPTION)
        self.assertEqual(len(boxes), 1, "exactly one notice box")
        self.program.close_box(boxes[0])


__all__ = ["ProgramCase", "CONTROLS", "FILE_NAME"]
