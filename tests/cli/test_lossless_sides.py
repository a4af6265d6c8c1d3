"""A hand-edited flag of 2 on the only route: every command that answers a
route crosses it, in every format, as the window's search does."""

import json
import os
import unittest

from tool_case import ToolCase, maze_file_text

# +--+--+--+--+
# |  :     |  |    ':' a left flag of 2
# +  +--+  +  +
# |  |     :  |
# +--+--+--+--+
FLAGS = [(1, 1), (1, 2), (1, 0), (1, 1),
         (0, 1), (1, 1), (0, 0), (0, 2)]
# The same maze with walls where the 2s stand, which has no route.
WALLED = [(top, 1 if left == 2 else left) for top, left in FLAGS]
ROUTE = b"0 0\n1 0\n2 0\n2 1\n3 1\n"
# The sides the flags of 2 stand on, as JSON numbers the cells.
EDITED_SIDES = [[0, 1], [6, 7]]

# Each command on the maze; None where its output is a picture.
COMMANDS = [
    ("solve", ["solve", "maze.txt"], ROUTE),
    ("solve --shortest", ["solve", "--shortest", "maze.txt"], ROUTE),
    ("png --route", ["render", "maze.txt", "--route", "-o", "out.png"], None),
    ("png --route --marks letters",
     ["render", "maze.txt", "--route", "--marks", "letters", "-o", "out.png"], None),
    ("png --shortest --marks openings",
     ["render", "maze.txt", "--shortest", "--marks", "openings", "-o", "out.png"], None),
    ("svg --route", ["render", "maze.txt", "--route", "-o", "out.svg"], None),
    ("svg --route --marks letters",
     ["render", "maze.txt", "--route", "--marks", "letters", "-o", "out.svg"], None),
    ("pdf --route --marks letters",
     ["render", "maze.txt", "--route", "--marks", "letters", "-o", "out.pdf"], None),
    ("pdf --answer", ["render", "maze.txt", "--answer", "-o", "out.pdf"], None),
    ("ascii --route", ["render", "maze.txt", "--route", "-o", "out.txt"], None),
    ("animate --solve-only",
     ["animate", "--solve-only", "maze.txt", "--duration", "0.5", "-o", "out.gif"], None),
]


class LosslessSidesTest(ToolCase):
    def output_of(self, flags, args):
        (self.dir / "maze.txt").write_bytes(maze_file_text(4, 2, flags))
        for name in ("out.png", "out.svg", "out.pdf", "out.txt", "out.gif"):
            (self.dir / name).unlink(missing_ok=True)
        result = self.tool(*args, env={**os.environ, "SOURCE_DATE_EPOCH": "0"})
        written = list(self.dir.glob("out.*"))
        return result, written[0].read_bytes() if written else result.stdout

    def test_every_command_crosses_a_flag_of_2(self):
        # The walled maze draws alike: whatever tells the two apart is the
        # route through the edited sides.
        for label, args, expected in COMMANDS:
            with self.subTest(label):
                result, output = self.output_of(FLAGS, args)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stderr, b"")
                if expected is not None:
                    self.assertEqual(output, expected)
                if "out.svg" in args and "letters" not in args:
                    # A dot a cell of the route (letters stand alone in theirs).
                    self.assertEqual(output.count(b"<circle"), ROUTE.count(b"\n"))
                blocked, blocked_output = self.output_of(WALLED, args)
                if blocked.returncode == 0:
                    self.assertNotEqual(blocked_output, output)
                else:
                    self.assertEqual(blocked.returncode, 1)
                    self.assertIn(b"no route", blocked.stderr)

    def test_json_lists_the_edited_sides_as_passages(self):
        for flags, listed in ((FLAGS, True), (WALLED, False)):
            (self.dir / "maze.txt").write_bytes(maze_file_text(4, 2, flags))
            result = self.tool("render", "maze.txt", "--format", "json")
            self.assertEqual(result.returncode, 0, result.stderr)
            passages = json.loads(result.stdout)["passages"]
            for side in EDITED_SIDES:
                self.assertEqual(side in passages, listed, side)


if __name__ == "__main__":
    unittest.main()
