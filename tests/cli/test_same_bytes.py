"""The same command with the same --seed writes the same bytes every time, for
every kind of output the tool has: no clock, address or stray state may leak
into a file."""

import os
import time
import unittest

from tool_case import ToolCase

MAZES = {
    "rect.txt": ("-W", "14", "-H", "9"),
    "hex.txt": ("--shape", "hex", "-W", "9", "-H", "7"),
    "polar.txt": ("--shape", "polar", "-H", "5"),
    "exits.txt": ("-W", "11", "-H", "8", "--algorithm", "eller", "--exits", "farthest"),
}

# Each row: a name, and the command's arguments; "OUT" stands for the output
# file (a folder for --frames), named apart for each row and run.
ROWS = [
    ("generate rect", ("generate", *MAZES["rect.txt"], "--seed", "11", "-o", "OUT")),
    ("generate hex", ("generate", *MAZES["hex.txt"], "--seed", "11", "-o", "OUT")),
    ("generate triangle", ("generate", "--shape", "triangle", "-W", "8", "-H", "6", "--seed", "11",
                           "-o", "OUT")),
    ("generate polar", ("generate", *MAZES["polar.txt"], "--seed", "11", "-o", "OUT")),
    ("generate exits", ("generate", *MAZES["exits.txt"], "--seed", "11", "-o", "OUT")),
    ("generate difficulty", ("generate", "--difficulty", "medium", "--seed", "11", "--quiet",
                             "-o", "OUT")),
    ("generate braid", ("generate", "-W", "12", "-H", "12", "--braid", "0.4", "--algorithm",
                        "growing-tree", "--pick", "mix:0.3", "--seed", "11", "-o", "OUT")),
    ("render ascii", ("render", "rect.txt", "--format", "ascii", "--route", "-o", "OUT")),
    ("render ascii exits", ("render", "exits.txt", "--format", "ascii", "-o", "OUT")),
    ("render svg", ("render", "rect.txt", "--format", "svg", "--route", "-o", "OUT")),
    ("render svg hex", ("render", "hex.txt", "--format", "svg", "-o", "OUT")),
    ("render png", ("render", "rect.txt", "--format", "png", "-o", "OUT")),
    ("render png marked", ("render", "exits.txt", "--format", "png", "--marks", "openings",
                           "-o", "OUT")),
    ("render png polar", ("render", "polar.txt", "--format", "png", "--route", "-o", "OUT")),
    ("render pdf", ("render", "rect.txt", "--format", "pdf", "--answer", "-o", "OUT")),
    ("render pdf hex", ("render", "hex.txt", "--format", "pdf", "-o", "OUT")),
    ("render json", ("render", "exits.txt", "--format", "json", "-o", "OUT")),
    ("render json polar", ("render", "polar.txt", "--format", "json", "-o", "OUT")),
    ("info json", ("info", "--json", "rect.txt")),
    ("info json hex", ("info", "--json", "hex.txt")),
    ("solve", ("solve", "rect.txt")),
    ("solve shortest exits", ("solve", "--shortest", "exits.txt")),
    ("animate gif", ("animate", "-W", "6", "-H", "5", "--seed", "3", "--duration", "1",
                     "-o", "OUT.gif")),
    ("animate webp", ("animate", "--shape", "hex", "-W", "5", "-H", "4", "--seed", "3",
                      "--duration", "1", "-o", "OUT.webp")),
    ("animate frames", ("animate", "-W", "5", "-H", "4", "--seed", "3", "--duration", "1",
                        "--fps", "5", "--frames", "OUT")),
    ("animate solve-only", ("animate", "--solve-only", "exits.txt", "--duration", "1",
                            "-o", "OUT.gif")),
    ("book", ("book", "-n", "3", "-W", "8", "-H", "8", "--seed", "4", "-o", "OUT")),
    ("book rising hex", ("book", "-n", "2", "--difficulty", "rising", "--shape", "hex",
                         "--seed", "2", "-o", "OUT")),
]


class SameBytesTest(ToolCase):

    def setUp(self):
        super().setUp()
        # The tool's own choice without it: a file dated only when asked.
        self.environment = {name: value for name, value in os.environ.items()
                            if name != "SOURCE_DATE_EPOCH"}
        for name, args in MAZES.items():
            self.ok("generate", *args, "--seed", "5", "-o", name)

    def written(self, args, out):
        """What the command wrote: its standard output, or the bytes of its
        output file, or of each file of its frames' folder by name."""
        named = [arg.replace("OUT", out) for arg in args]
        if "--frames" in args:
            (self.dir / out).mkdir()
        done = self.tool(*named, env=self.environment)
        self.assertEqual((done.returncode, done.stderr.decode()), (0, ""), named)
        if named == list(args):
            return {"stdout": done.stdout}
        path = self.dir / next(arg for arg in named if out in arg)
        if path.is_dir():
            frames = {child.name: child.read_bytes() for child in sorted(path.iterdir())}
            self.assertTrue(frames)
            return frames
        return {"file": path.read_bytes()}

    def test_every_output_is_the_same_twice(self):
        first = {}
        for name, args in ROWS:
            with self.subTest(row=name, run="first"):
                first[name] = self.written(args, "first-" + name.replace(" ", "-"))
        # Past a second's tick, so that a clock written at a second's grain
        # differs between the runs.
        time.sleep(1.1)
        for name, args in ROWS:
            with self.subTest(row=name):
                second = self.written(args, "second-" + name.replace(" ", "-"))
                self.assertIn(name, first)
                self.assertEqual(sorted(second), sorted(first[name]))
                for part, data in first[name].items():
                    self.assertTrue(data, part)
                    self.assertEqual(data, second[part], part)

if __name__ == "__main__":
    unittest.main()
