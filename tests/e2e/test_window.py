"""End-to-end tests: the built program in a real X server, worked by clicks and keys."""

import os
import unittest

from maze_picture import BLACK, BLUE, Maze
from maze_user import ProgramCase
from xsession import ERROR_CAPTION

# A maze as a user might write it by hand; being odd, its route ends in cell
# (3, 1), the corner of the largest even maze inside it.
HAND_WRITTEN = [
    "+--+--+--+--+--+",
    "|     |        |",
    "+--+  +  +--+  +",
    "|     |  |     |",
    "+  +--+  +--+  +",
    "|        |     |",
    "+--+--+--+--+--+",
]


class StartUpTest(ProgramCase):
    def test_window_has_a_fixed_size_and_an_empty_picture(self):
        window = str(self.program.window)
        geometry = self.program.tool("xdotool", "getwindowgeometry", "--shell", window)
        self.assertIn(b"WIDTH=953\nHEIGHT=850\n", geometry)
        hints = self.program.tool("xprop", "-id", window, "WM_NORMAL_HINTS")
        self.assertIn(b"minimum size: 953 by 850", hints)
        self.assertIn(b"maximum size: 953 by 850", hints)
        self.assertEqual(self.program.open_boxes(), [])
        window_colour = self.program.screenshot(950, 847, 1, 1)
        self.assertEqual(self.program.picture(), window_colour * (825 * 820))


class GenerateTest(ProgramCase):
    def test_each_size_draws_exactly_the_saved_walls(self):
        for size in (8, 50, 70, 100):
            with self.subTest(size=size):
                maze = self.program.generate(size, size)
                self.assertEqual((maze.width, maze.height), (size, size))
                self.assertEqual(maze.open_inner_edges(), size * size - 1,
                                 "a perfect maze opens one edge fewer than it has cells")
                self.program.expect_maze(maze, BLUE)


class SizeBoxTest(ProgramCase):
    def test_typed_sizes_are_checked_before_building(self):
        rows = [
            ("odd width brings one notice", (51, 50), (51, 50), True),
            ("out of range is clamped silently", (150, 7), (100, 8), False),
        ]
        for label, typed, built, notice in rows:
            with self.subTest(label):
                self.program.set_size(*typed)
                self.program.click("BtGo")
                if notice:
                    self.close_only_notice()
                maze = self.program.save()
                self.assertEqual(self.program.open_boxes(), [])
                self.assertEqual((maze.width, maze.height), built)
                self.program.expect_maze(maze, BLUE)


class RouteTest(ProgramCase):
    def test_solve_paints_the_route_and_show_removes_it(self):
        maze = self.program.generate(50, 50)
        route = maze.route()
        self.assertEqual(route[-1:], [(49, 49)])
        self.program.click("BtChemin")
        self.program.expect_maze(maze, BLUE, dots=route)
        if os.environ.get("NITKA_SCREENSHOT"):  # screenshot.sh's picture for the README
            self.program.tool("import", "-silent", "-window", str(self.program.window),
                              os.environ["NITKA_SCREENSHOT"])
        self.program.click("BtChemin")
        self.program.expect_maze(maze, BLUE)


class LoadTest(ProgramCase):
    def test_load_draws_the_file_and_a_missing_file_brings_the_error(self):
        maze = Maze.from_ascii(HAND_WRITTEN)
        self.program.maze_file.write_bytes(maze.file_text())
        self.program.click("Button4")
        # The pen is still black from the bitmap's creation when LOAD clears.
        self.program.expect_maze(maze, BLACK)
        route = maze.route()
        self.assertEqual(route[-1:], [(3, 1)])
        self.program.click("BtChemin")
        self.program.expect_maze(maze, BLACK, dots=route)

        self.program.maze_file.unlink()
        self.program.click("Button4")
        boxes = self.program.wait_for_box(ERROR_CAPTION)
        self.assertEqual(len(boxes), 1)
        self.program.close_box(boxes[0])


class ShutDownTest(ProgramCase):
    def test_exit_ends_with_status_zero_without_saving(self):
        self.program.click("BtGo")
        self.program.click("Button6")
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertFalse(self.program.maze_file.exists())

    def test_closing_the_window_ends_with_status_zero(self):
        self.program.click("BtGo")
        self.program.request_close()
        self.assertEqual(self.program.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
