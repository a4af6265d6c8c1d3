"""End-to-end tests: the built program in a real X server, worked by clicks and keys."""

import os
import unittest

from maze_picture import BLACK, BLUE, Maze
from program_case import ProgramCase
from xsession import CLIENT_SIZE, ERROR_CAPTION, MAIN_CAPTION, NOTICE_CAPTION

# A 9 x 5 maze as a user might write it by hand; being odd, its route ends in
# cell (7, 3), the corner of the largest even maze inside it.
HAND_WRITTEN = [
    "+--+--+--+--+--+--+--+--+--+",
    "|  |           |     |     |",
    "+  +  +--+--+  +  +  +  +  +",
    "|     |     |  |  |     |  |",
    "+--+--+--+  +  +--+  +--+  +",
    "|           |     |     |  |",
    "+  +--+  +--+--+  +--+--+  +",
    "|     |        |           |",
    "+--+  +--+  +--+--+--+--+  +",
    "|        |                 |",
    "+--+--+--+--+--+--+--+--+--+",
]


class StartUpTest(ProgramCase):
    def test_window_has_its_caption_and_fixed_size(self):
        _, _, width, height = self.program.geometry()
        self.assertEqual((width, height), CLIENT_SIZE)
        hints = self.program.size_hints()
        self.assertIn("minimum size: 953 by 850", hints)
        self.assertIn("maximum size: 953 by 850", hints)
        self.assertEqual([name for _, name in self.program.windows()], [MAIN_CAPTION])

    def test_picture_shows_only_the_window_background(self):
        shot = self.program.screenshot()
        window_colour = shot.pixel(CLIENT_SIZE[0] - 3, CLIENT_SIZE[1] - 3)
        self.assertEqual(self.picture(), bytes(window_colour) * (825 * 820))

    def test_solve_and_save_before_any_maze_do_nothing(self):
        blank = self.picture()
        self.program.click("BtChemin")
        self.program.click("Button5")
        # LOAD of a missing file answers with a box: once it shows, the two
        # clicks before it have been handled.
        self.program.click("Button4")
        box = self.program.wait_for_box(ERROR_CAPTION)
        self.program.close_box(box[0])
        self.assertFalse(os.path.exists(self.maze_file), "SAVE without a maze writes no file")
        # LOAD cleared the picture with the pen the bitmap was created with.
        self.assert_blank_picture(edge_colour=BLACK)
        self.assertNotEqual(self.picture(), blank)


class GenerateTest(ProgramCase):
    def test_each_size_draws_exactly_the_saved_walls(self):
        for width, height in [(8, 8), (50, 50), (70, 70), (100, 100)]:
            with self.subTest(size=(width, height)):
                maze = self.generate(width, height)
                self.assertEqual((maze.width, maze.height), (width, height))
                self.assertTrue(maze.outer_walls_closed())
                self.assertEqual(maze.open_inner_edges(), width * height - 1,
                                 "a perfect maze opens one edge fewer than it has cells")
                self.assertNotEqual(maze.route(), [])
                self.assert_maze_on_screen(maze, edge_colour=BLUE)

    def test_saved_file_has_the_exact_format(self):
        self.generate(50, 50)
        data = self.read_maze_file()
        self.assertEqual(len(data), 15008)
        self.assertTrue(data.startswith(b"50  50\r\n"))


class SizeBoxTest(ProgramCase):
    def test_odd_sizes_warn_once_then_generate(self):
        for width, height in [(51, 50), (9, 9)]:
            with self.subTest(size=(width, height)):
                self.set_size(width, height)
                self.program.click("BtGo")
                self.close_only_notice()
                self.wait_for_frame(width, height)
                self.assert_no_boxes()
                maze = self.save()
                self.assertEqual((maze.width, maze.height), (width, height))
                self.assert_maze_on_screen(maze, edge_colour=BLUE)

    def test_typed_sizes_outside_the_range_are_clamped(self):
        self.set_size(150, 7)
        self.program.click("BtGo")
        self.wait_for_frame(100, 8)
        self.assert_no_boxes()
        maze = self.save()
        self.assertEqual((maze.width, maze.height), (100, 8))
        self.assert_maze_on_screen(maze, edge_colour=BLUE)


class RouteTest(ProgramCase):
    def test_solve_paints_the_route_and_show_removes_it(self):
        maze = self.generate(50, 50)
        route = maze.route()
        self.assertEqual(route[0], (0, 0))
        self.assertEqual(route[-1], (49, 49))

        self.program.click("BtChemin")
        self.assert_maze_on_screen(maze, edge_colour=BLUE, dots=route)
        reading_show = self.control_look("BtChemin")
        screenshot_path = os.environ.get("NITKA_SCREENSHOT")
        if screenshot_path:
            self.program.save_png(screenshot_path)

        self.program.click("BtChemin")
        self.assert_maze_on_screen(maze, edge_colour=BLUE)
        self.assertNotEqual(self.control_look("BtChemin"), reading_show, "the caption changes")

        self.program.click("BtChemin")
        self.assert_maze_on_screen(maze, edge_colour=BLUE, dots=route)
        self.assertEqual(self.control_look("BtChemin"), reading_show, "the caption comes back")


class LoadTest(ProgramCase):
    def setUp(self):
        super().setUp()
        self.maze = Maze.from_ascii(HAND_WRITTEN)
        self.write_maze_file(self.maze.file_text())

    def load(self):
        self.program.click("Button4")

    def test_load_draws_the_file_and_solves_it(self):
        self.load()
        # The pen is still black from the bitmap's creation when LOAD clears.
        self.assert_maze_on_screen(self.maze, edge_colour=BLACK)
        self.program.click("BtChemin")
        route = self.maze.route()
        self.assertEqual(route[-1], (7, 3))
        self.assert_maze_on_screen(self.maze, edge_colour=BLACK, dots=route)

    def test_load_sets_the_size_boxes_within_their_range(self):
        self.load()
        self.assert_maze_on_screen(self.maze, edge_colour=BLACK)
        # The boxes now read 9 and 8 (5 raised to the least size): the next
        # maze is built from them, and 9 is odd.
        self.program.click("BtGo")
        self.close_only_notice()
        self.wait_for_frame(9, 8)
        maze = self.save()
        self.assertEqual((maze.width, maze.height), (9, 8))

    def test_missing_file_shows_the_error_and_keeps_the_maze(self):
        self.load()
        self.assert_maze_on_screen(self.maze, edge_colour=BLACK)
        os.remove(self.maze_file)
        self.load()
        boxes = self.program.wait_for_box(ERROR_CAPTION)
        self.assertEqual(len(boxes), 1)
        self.program.close_box(boxes[0])
        self.assert_blank_picture(edge_colour=BLACK)
        self.assert_no_boxes()
        self.save()
        self.assertEqual(self.read_maze_file(), self.maze.file_text(),
                         "the maze loaded before stays the current maze")

    def test_oversized_file_is_refused_with_a_notice(self):
        self.load()
        self.assert_maze_on_screen(self.maze, edge_colour=BLACK)
        self.write_maze_file(b"101  50\r\n")
        self.load()
        self.close_only_notice()
        self.assert_blank_picture(edge_colour=BLACK)
        self.save()
        self.assertEqual(self.read_maze_file(), self.maze.file_text())


class ShutDownTest(ProgramCase):
    def test_exit_ends_with_status_zero_without_saving(self):
        self.program.click("BtGo")
        self.wait_for_frame(50, 50)
        self.program.click("Button6")
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertFalse(os.path.exists(self.maze_file))

    def test_closing_the_window_ends_the_program(self):
        self.program.click("BtGo")
        self.wait_for_frame(50, 50)
        self.program.request_close()
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertFalse(os.path.exists(self.maze_file))


if __name__ == "__main__":
    unittest.main()
