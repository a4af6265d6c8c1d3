"""The same command with the same --seed writes the same bytes every time, for
every kind of output the tool has: no clock, address or stray state may leak
into a file. A PDF's date is SOURCE_DATE_EPOCH's or none."""

import os
import re
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
    ("generate exits", ("generate", *MAZES["exits.txt"], "--seed", "11", "-o", "OUT")),
    ("generate difficulty", ("generate", "--difficulty", "medium", "--seed", "11", "--quiet",
                             "-o", "OUT")),
    ("render ascii exits", ("render", "exits.txt", "--format", "ascii", "-o", "OUT")),
    ("render png marked", ("render", "exits.txt", "--format", "png", "--marks", "openings",
                           "-o", "OUT")),
    ("render png polar", ("render", "polar.txt", "--format", "png", "--route", "-o", "OUT")),
    ("render svg hex", ("render", "hex.txt", "--format", "svg", "--route", "-o", "OUT")),
    ("render json polar", ("render", "polar.txt", "--format", "json", "-o", "OUT")),
    ("render pdf", ("render", "rect.txt", "--format", "pdf", "--answer", "-o", "OUT")),
    ("info json hex", ("info", "--json", "hex.txt")),
    ("solve shortest exits", ("solve", "--shortest", "exits.txt")),
    ("animate gif", ("animate", "-W", "6", "-H", "5", "--seed", "3", "--duration", "1",
                     "-o", "OUT.gif")),
    ("animate webp", ("animate", "--shape", "hex", "-W", "5", "-H", "4", "--seed", "3",
                      "--duration", "1", "-o", "OUT.webp")),
    ("animate frames", ("animate", "-W", "5", "-H", "4", "--seed", "3", "--duration", "1",
                        "--fps", "5", "--frames", "OUT")),
    ("animate solve-only", ("animate", "--solve-only", "exits.txt", "--duration", "1",
                            "-o", "OUT.gif")),
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
                self.assertEqual(sorted(second), sorted(first[name]))
                for part, data in first[name].items():
                    self.assertTrue(data, part)
                    self.assertEqual(data, second[part], part)

    def test_a_pdf_is_dated_by_source_date_epoch_alone(self):
        for args in (("render", "rect.txt", "--answer"), ("render", "hex.txt", "--route"),
                     ("book", "-n", "2", "--seed", "5", "--title", "Rainy")):
            for epoch, date in (("", None), ("0", b"19700101000000Z"),
                                ("1700000000", b"20231114221320Z")):
                with self.subTest(args[0], epoch=epoch):
                    env = dict(self.environment, SOURCE_DATE_EPOCH=epoch)
                    self.ok(*args, "-o", "out.pdf", env=env)
                    pdf = (self.dir / "out.pdf").read_bytes()
                    found = re.search(rb"/CreationDate \((?:D:)?(\d{14}Z)\)", pdf)
                    self.assertEqual(found and found.group(1), date)
                    self.assertNotIn(b"/ModDate", pdf)
            for epoch in ("yesterday", "-1", "1.5", "253402300800"):
                with self.subTest(args[0], epoch=epoch):
                    env = dict(self.environment, SOURCE_DATE_EPOCH=epoch)
                    done = self.tool(*args, "-o", "bad.pdf", env=env)
                    self.assertFailure(done, 2)
                    self.assertTrue(done.stderr.startswith(b"nitka-maze: SOURCE_DATE_EPOCH: "))
        self.assertNotIn("bad.pdf", self.listing())
        # Only a PDF has a date to take.
        self.ok("render", "rect.txt", "-o", "out.png",
                env=dict(self.environment, SOURCE_DATE_EPOCH="yesterday"))


if __name__ == "__main__":
    unittest.main()
