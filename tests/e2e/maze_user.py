"""What a user does with the maze program, as steps that wait for their effect,
and the test case that gives each test its own program, display and directory."""

import os
import pathlib
import tempfile
import unittest

import maze_picture
from maze_picture import Maze
from xsession import NOTICE_CAPTION, Program, wait_until, x_server


class MazeUser(Program):
    """The program, worked through its buttons, boxes and the file it writes."""

    @property
    def maze_file(self):
        return pathlib.Path(self.workdir, "labird.txt")

    def save(self):
        """Presses "SAVE" and returns the maze of the complete file it writes."""
        self.maze_file.unlink(missing_ok=True)
        self.click("Button5")

        def complete_maze():
            try:
                return Maze.from_file_text(self.maze_file.read_bytes())
            except (OSError, ValueError):
                return None  # not there yet, or still being written

        return wait_until(complete_maze, "a complete maze file")

    def generate(self, width, height):
        """Sets the size, presses "Depth-First" and returns the saved maze.

        SAVE is handled after the drawing, so the maze is on screen by then.
        """
        self.set_size(width, height)
        self.click("BtGo")
        return self.save()

    def set_size(self, width, height):
        self.type_into("SpinEdit1", str(width))
        self.type_into("SpinEdit2", str(height))

    def open_boxes(self):
        return [window for window in self.windows() if window != self.window]

    def picture(self):
        return self.screenshot(0, 0, *maze_picture.PICTURE_SIZE)

    def expect_maze(self, maze, edge_colour, dots=()):
        """Waits until the picture is exactly the maze with dots on the given cells;
        edge_colour is the pen the picture was last cleared with."""
        background = self.screenshot(*maze_picture.BACKGROUND_PROBE, 1, 1)
        black = maze_picture.wall_pixels(maze) | maze_picture.dot_pixels(maze, dots)
        expected = maze_picture.expected_picture(background, edge_colour, black)
        seen = [None]

        def shown():
            seen[0] = self.picture()
            return seen[0] == expected

        wait_until(shown, "the expected picture", timeout=15,
                   explain=lambda: maze_picture.describe_differences(expected, seen[0]))


class ProgramCase(unittest.TestCase):
    """Starts the program in a fresh directory on a fresh display for each test."""

    program_path = None  # the installed copy's tests set this; others use NITKA_EXE

    def setUp(self):
        path = self.program_path or os.environ.get("NITKA_EXE")
        if not path:
            self.skipTest("NITKA_EXE names no program to test")
        workdir = self.enterContext(tempfile.TemporaryDirectory(prefix="nitka-e2e-"))
        self.program = MazeUser(self.enterContext(x_server()), path, workdir)
        self.addCleanup(self._report_and_stop)
        self.program.find_main_window()

    def _report_and_stop(self):
        # ctest shows this only when the test fails: then a sanitizer's report
        # or Qt's warnings tell why.
        self.program.stop()
        log = self.program.log()
        if log.strip():
            print(f"--- program output ---\n{log}")

    def close_only_notice(self):
        boxes = self.program.wait_for_box(NOTICE_CAPTION)
        self.assertEqual(len(boxes), 1, "exactly one notice box")
        self.program.close_box(boxes[0])
