"""render for makers: the plotter's SVG and the printer's STL, as a user runs them."""

import pathlib
import re
import struct
import subprocess
import sys
import unittest

from tool_case import ToolCase

CHECK_STL = pathlib.Path(__file__).resolve().parent.parent / "e2e" / "check_stl.py"

REPORT = re.compile(r"plotter: ([\d,]+) strokes?, ([\d,]+) pen lifts?, ([\d.]+) mm drawn, "
                    r"([\d.]+) mm travel(; marks \d+ strokes?)?(; route 1 stroke)?\n")


class MakersTest(ToolCase):
    """Every shape and a mask, drawn for a plotter and made solid."""

    MASK = ["##.####", "#######", "###.###", ".######"]
    SHAPES = {"rect": ["-W", 9, "-H", 6],
              "mask": ["--mask", "holes.txt"],
              "hex": ["--shape", "hex", "-W", 7, "-H", 5],
              "triangle": ["--shape", "triangle", "-W", 9, "-H", 5],
              "polar": ["--shape", "polar", "-H", 4]}

    def setUp(self):
        super().setUp()
        (self.dir / "holes.txt").write_text("\n".join(self.MASK) + "\n")
        for name, options in self.SHAPES.items():
            made = self.tool("generate", *options, "--seed", 5, "-o", f"{name}.txt")
            self.assertEqual(made.returncode, 0, made.stderr)

    def test_the_plotter_report_counts_the_strokes_written(self):
        for name in self.SHAPES:
            with self.subTest(name):
                done = self.tool("render", f"{name}.txt", "--plotter", "--route", "--cell-mm", 6,
                                 "--pen-mm", "0.5", "-o", "plot.svg")
                self.assertEqual(done.returncode, 0, done.stderr)
                report = REPORT.fullmatch(done.stderr.decode())
                self.assertIsNotNone(report, done.stderr)
                svg = (self.dir / "plot.svg").read_text()
                walls = svg[: svg.index("</g>")]
                self.assertEqual(walls.count("<path"), int(report[1].replace(",", "")))
                self.assertIn('stroke-width="0.5"', walls)
                self.assertRegex(svg, r'width="[\d.]+mm" height="[\d.]+mm"')
                self.assertNotIn("<text", svg)
                # The same document on standard output, and nothing said with --quiet.
                piped = self.tool("render", f"{name}.txt", "--plotter", "--route", "--cell-mm",
                                  6, "--pen-mm", "0.5", "--quiet")
                self.assertEqual((piped.returncode, piped.stderr), (0, b""))
                self.assertEqual(piped.stdout.decode(), svg)

    def test_a_solid_of_every_shape_is_closed_and_its_size(self):
        if not CHECK_STL.exists():
            self.skipTest("no STL checker")
        for name in self.SHAPES:
            with self.subTest(name):
                done = self.tool("render", f"{name}.txt", "-o", "maze.stl", "--cell-mm", 4,
                                 "--wall-mm", 1, "--height-mm", 3, "--base-mm", 2)
                self.assertEqual((done.returncode, done.stderr), (0, b""))
                stl = (self.dir / "maze.stl").read_bytes()
                self.assertFalse(stl.startswith(b"solid"))
                self.assertEqual(len(stl), 84 + 50 * struct.unpack_from("<I", stl, 80)[0])
                extent = self.extent_of(name)
                # Hexagons and triangles mitre their outer corners past the
                # wall's half: the C++ tests hold those sizes exactly.
                tolerance = "0.001" if name in ("rect", "mask") else "1"
                checked = subprocess.run(
                    [sys.executable, CHECK_STL, self.dir / "maze.stl",
                     str(extent[0] * 4 + 1), str(extent[1] * 4 + 1), "5", tolerance],
                    capture_output=True, text=True)
                self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
                piped = self.tool("render", f"{name}.txt", "--format", "stl", "--cell-mm", 4,
                                  "--wall-mm", 1, "--height-mm", 3, "--base-mm", 2)
                self.assertEqual(piped.stdout, stl)

    def extent_of(self, name):
        """The drawing's width and height in cells, from the graph's picture."""
        json_text = self.tool("render", f"{name}.txt", "--format", "svg", "--cell", 10).stdout
        width, height = re.search(rb'viewBox="0 0 ([\d.]+) ([\d.]+)"', json_text).groups()
        # An SVG is the drawing's units at 10 pixels, a 5-pixel margin round it and a pixel.
        return (float(width) - 11) / 10, (float(height) - 11) / 10

    def test_mistakes_are_refused_before_any_file(self):
        cases = [
            (["--plotter", "-o", "x.png"], "--plotter: only an SVG is drawn for a plotter"),
            (["--plotter", "--pen-mm", "3"], "--pen-mm: a pen of 3 mm would fill cells of 5 mm"),
            (["--plotter", "--cell-mm", "-1"], "--cell-mm: '-1' is not millimetres from 0.01 to 1000"),
            (["--plotter", "--cell", "9"], "--cell: only a PNG or SVG picture has pixels a cell"),
            (["-o", "x.stl", "--wall-mm", "2"], "--wall-mm: walls of 2 mm leave no room"),
            (["-o", "x.stl", "--route"], "--route: only a picture shows the route"),
            (["-o", "x.svg", "--height-mm", "2"], "--height-mm: only an STL solid has a height"),
        ]
        for options, message in cases:
            with self.subTest(options):
                done = self.tool("render", "rect.txt", *options)
                self.assertEqual(done.returncode, 2)
                self.assertIn(message, done.stderr.decode())
                self.assertEqual(sorted(p.name for p in self.dir.iterdir()),
                                 sorted(["holes.txt"] + [f"{n}.txt" for n in self.SHAPES]))
        terminal = self.on_terminal("render", "rect.txt", "--format", "stl", streams=["stdout"])
        self.assertEqual(terminal.returncode, 2)


if __name__ == "__main__":
    unittest.main()
