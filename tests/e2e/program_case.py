"""A test case that owns one running program, its X server and its directory."""

import os
import shutil
import tempfile
import unittest

from maze_user import MazeUser
from xsession import NOTICE_CAPTION, Program, XServer


def executable():
    path = os.environ.get("NITKA_EXE")
    if not path:
        raise unittest.SkipTest("NITKA_EXE names no program to test")
    return path


class ProgramCase(MazeUser, unittest.TestCase):
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

    def assert_picture(self, expected):
        difference = self.wait_for_picture(expected)
        if difference:
            self.fail(difference)

    def assert_maze_on_screen(self, maze, edge_colour, dots=()):
        self.assert_picture(self.expected_maze_picture(maze, edge_colour, dots))

    def assert_blank_picture(self, edge_colour):
        """Cleared: background with a line in the pen's colour along the top and left."""
        self.assert_picture(self.expected_maze_picture(None, edge_colour))

    def assert_no_boxes(self):
        self.assertEqual(self.open_boxes(), [], "no message box should be open")

    def close_only_notice(self):
        boxes = self.program.wait_for_box(NOTICE_CAPTION)
        self.assertEqual(len(boxes), 1, "exactly one notice box")
        self.program.close_box(boxes[0])

