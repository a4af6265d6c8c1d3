"""Moved exits on a plain rectangle by every method, ASCII only for a plain
rectangle, and --difficulty that takes back the score info prints. (The ASCII
of moved exits is pinned in tests/render/ascii_render_test.cpp.)"""

import hashlib
import json
import unittest

from tool_case import ToolCase
from test_tool import info_of, route_cells

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


class ExitsTest(ToolCase):

    def test_every_method_moves_the_exits_of_a_rectangle_and_keeps_its_walls(self):
        size = ("-W", "23", "-H", "17", "--seed", "7")
        for method, digest in PINNED.items():
            with self.subTest(method=method):
                moved = self.ok("generate", *size, "--algorithm", method, "--exits", "farthest")
                self.assertEqual(hashlib.sha256(moved).hexdigest(), digest)
                plain = self.ok("generate", *size, "--algorithm", method)
                graph = json.loads(self.ok("render", "-", "--format", "json", stdin=moved))
                self.assertEqual(graph["passages"],
                                 json.loads(self.ok("render", "-", "--format", "json",
                                                    stdin=plain))["passages"])
                route = route_cells(self.ok("solve", "-", stdin=moved))
                for x, y in (route[0], route[-1]):
                    self.assertTrue(x in (0, 22) or y in (0, 16), (x, y))

    def test_ascii_still_refuses_other_shapes_and_masks(self):
        self.write("mask.txt", b"xxx\nx.x\nxxx\n")
        for what, args in (("hex maze", ("--shape", "hex", "-W", "4", "-H", "3")),
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


if __name__ == "__main__":
    unittest.main()
