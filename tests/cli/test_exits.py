"""Moved exits on a plain rectangle by every method, drawn in ASCII, and
--difficulty that takes back the score info prints."""

import hashlib
import json
import unittest

from tool_case import ToolCase
from test_tool import first_edge_side, info_of, route_cells

# sha256 of `generate -W 23 -H 17 --seed 7 --algorithm NAME --exits farthest`.
# The first seven are the bytes the shape carver made before the rectangle's
# own carver took over; the last four were refused then.
PINNED = {
    "depth-first": "159ccd5491aa8e4f9843b8ee46536eae943d455f78443415376676fba0121617",
    "prim": "a006b854de0d8e216144f686fc8a76aedb0493810e4fdb841b88bf6d0fcbf171",
    "kruskal": "1cd44040d8b16f6371c2984970b9b9f9c744f5981ae886fcc16952aa2afa2e0a",
    "wilson": "ab62a78e0445a91796ae0386953dc961d3239480b2c3ab56106a7f8986a3f4de",
    "aldous-broder": "3d9e94363deafc5bb83107ff4ce5dd8962428d3a06624b8afd1b9b9f82769fc1",
    "hunt-and-kill": "f61f04a3527035154f991a59fab6a9746aad69e450af968b98a4101bebc3b5f9",
    "growing-tree": "dd4ba2287c2c65a5a5dac7b65494d58479a5a09aa6f8806217ca9445dabdc42b",
    "eller": "b3ea542626f1a8d1baccd1b16a893b7f23313a17dd56daef7ff4a3aaf0b75be8",
    "binary-tree": "5d6082b1fae888320da6f621fe9192226176bd9b87ea1dbc6876982b0abdf193",
    "sidewinder": "a44fb0bcaf92932ba32c067890bee92ea76b976e6380d17e3badca7d1958d64d",
    "recursive-division": "5476458eaa4654bb112414d1bc536493395984c0797af2262fadf023357b4e56",
}


def ends_of(maze):
    """The start and target lines of a shape file, (x, y) each."""
    lines = maze.decode().splitlines()
    ends = {line.split()[0]: tuple(map(int, line.split()[1:])) for line in lines[1:3]
            if line.startswith(("start ", "target "))}
    return ends.get("start"), ends.get("target")


def ascii_gaps(picture):
    """The unit sides of an ASCII rectangle's outer wall left open, named as
    first_edge_side names them, and the cells holding a letter."""
    rows = picture.decode().splitlines()
    width, height = (len(rows[0]) - 1) // 4, (len(rows) - 1) // 2
    gaps = []
    for x in range(width):
        if rows[0][4 * x + 1:4 * x + 4] != "---":
            gaps.append(f"top {x},0")
        if rows[-1][4 * x + 1:4 * x + 4] != "---":
            gaps.append(f"bottom {x},{height - 1}")
    for y in range(height):
        line = rows[2 * y + 1]
        if line[0] != "|":
            gaps.append(f"left 0,{y}")
        if line[4 * width] != "|":
            gaps.append(f"right {width - 1},{y}")
    letters = {line[4 * x + 2]: (x, y) for y, line in enumerate(rows[1::2])
               for x in range(width) if line[4 * x + 2] in "SF"}
    return sorted(gaps), letters


class ExitsTest(ToolCase):

    def test_every_method_moves_the_exits_of_a_rectangle_and_keeps_its_walls(self):
        size = ("-W", "23", "-H", "17", "--seed", "7")
        for method, digest in PINNED.items():
            with self.subTest(method=method):
                moved = self.ok("generate", *size, "--algorithm", method, "--exits", "farthest")
                self.assertEqual(hashlib.sha256(moved).hexdigest(), digest)
                self.assertTrue(moved.startswith(b"nitka-maze-shape 1 rect 23 17\n"))
                plain = self.ok("generate", *size, "--algorithm", method)
                graph = json.loads(self.ok("render", "-", "--format", "json", stdin=moved))
                self.assertEqual(graph["passages"],
                                 json.loads(self.ok("render", "-", "--format", "json",
                                                    stdin=plain))["passages"])
                route = route_cells(self.ok("solve", "-", stdin=moved))
                for x, y in (route[0], route[-1]):
                    self.assertTrue(x in (0, 22) or y in (0, 16), (x, y))

    def test_a_difficulty_search_moves_the_exits_with_every_method(self):
        for method in ("eller", "binary-tree", "sidewinder", "recursive-division"):
            with self.subTest(method=method):
                args = ("generate", "--algorithm", method, "--difficulty", "easy",
                        "--exits", "farthest", "--seed", "3")
                done = self.tool(*args)
                self.assertEqual(done.returncode, 0, done.stderr)
                told = done.stderr.decode().split(": ", 1)[1].split()
                self.assertIn("farthest", told)
                self.assertEqual(self.ok("generate", *told, "--quiet"), done.stdout)
                score = float(info_of(self.ok("info", "-", stdin=done.stdout))["difficulty"])
                self.assertLess(score, 30)

    def test_ascii_opens_the_wall_where_the_exits_are(self):
        for seed in range(1, 9):
            method = ("depth-first", "eller", "sidewinder", "recursive-division")[seed % 4]
            with self.subTest(seed=seed, method=method):
                maze = self.ok("generate", "-W", "7", "-H", "5", "--seed", seed,
                               "--algorithm", method, "--exits", "farthest")
                start, target = ends_of(maze)
                if start is None:  # the farthest ends are the window's corners
                    continue
                opening = first_edge_side(start, 7, 5)
                expected = sorted([opening, first_edge_side(target, 7, 5, opening)])
                picture = self.ok("render", "-", "--format", "ascii", stdin=maze)
                self.assertEqual(ascii_gaps(picture), (expected, {}))
                routed = self.ok("render", "-", "--format", "ascii", "--route", stdin=maze)
                self.assertEqual(routed.count(b" o "),
                                 len(route_cells(self.ok("solve", "-", stdin=maze))))

    def test_ascii_of_the_windows_rectangle_keeps_its_closed_wall(self):
        maze = self.ok("generate", "-W", "9", "-H", "4", "--seed", "5")
        picture = self.ok("render", "-", "--format", "ascii", "--route", stdin=maze)
        self.assertEqual(ascii_gaps(picture), ([], {}))
        # The bytes drawn before moved exits were drawn at all.
        self.assertEqual(hashlib.sha256(picture).hexdigest(),
                         "57334ee303d4241a76e6d2ad44aab90e6f3d59ed5e66624fb4663f7ba18b53fc")

    def test_ascii_still_refuses_other_shapes_and_masks(self):
        self.write("mask.txt", b"xxx\nx.x\nxxx\n")
        for what, args in (("hex maze", ("--shape", "hex", "-W", "4", "-H", "3")),
                           ("triangle maze", ("--shape", "triangle", "-W", "4", "-H", "3")),
                           ("polar maze", ("--shape", "polar", "-H", "3")),
                           ("rect maze with a mask", ("--mask", "mask.txt"))):
            with self.subTest(what=what):
                maze = self.ok("generate", *args, "--seed", "1", "--exits", "farthest")
                done = self.tool("render", "-", "--format", "ascii", stdin=maze)
                self.assertFailure(done, 2, "standard input: ASCII draws only a plain rectangle "
                                            f"and this is a {what}; give --format svg, png, "
                                            "pdf or json")

    def test_difficulty_takes_the_score_info_prints(self):
        maze = self.ok("generate", "-W", "12", "-H", "12", "--seed", "4")
        score = info_of(self.ok("info", "-", stdin=maze))["difficulty"]
        self.assertRegex(score, r"^\d+\.\d$")
        again = self.ok("generate", "-W", "12", "-H", "12", "--seed", "4", "--difficulty", score,
                        "--quiet")
        self.assertEqual(again, maze)

    def test_difficulty_refuses_what_is_no_plain_number_in_range(self):
        for text in ("1e3", "nan", "-1", ".5", "0.5", "1000000.5"):
            with self.subTest(text=text):
                done = self.tool("generate", "--difficulty", text, "-o", "m.txt")
                self.assertFailure(done, 2)
                self.assertTrue(done.stderr.decode().startswith(
                    f"nitka-maze: --difficulty: '{text}' is "), done.stderr)
        self.assertEqual(self.listing(), [])


if __name__ == "__main__":
    unittest.main()
