"""nitka-maze reading its inputs as a hostile user gives them: streams under any
name, headers that promise more than the bytes behind them, odd files."""

import unittest

from tool_case import SLOWDOWN, ToolCase, maze_from_picture

MAZE = maze_from_picture("""
+---+---+---+
|           |
+---+---+   +
|   |       |
+   +   +---+
|           |
+---+---+---+
""")

# A header for ten billion cells, with one cell behind it: 20 bytes.
HUGE = b"100000  100000\r\n0  0"

# The reads that take a maze FILE, as (command line before FILE, after FILE).
READERS = (
    (["info"], []),
    (["solve"], []),
    (["render", "--format", "svg"], ["-o", "-"]),
)


class InputTest(ToolCase):
    def ok_shell(self, script):
        done = self.shell(script)
        self.assertEqual((done.returncode, done.stderr.decode()), (0, ""), script)
        return done.stdout

    def test_streams_by_any_name_read_as_the_file_does(self):
        self.write("m.txt", MAZE)
        # Each way of naming a stream, as bash sets it up around "$TOOL ... NAME".
        ways = {
            "named pipe": ("rm -f p; mkfifo p; cat m.txt > p & ", "p"),
            "/dev/stdin": ("cat m.txt | ", "/dev/stdin"),
            "/proc/self/fd": ("cat m.txt | ", "/proc/self/fd/0"),
            "process substitution": ("", "<(cat m.txt)"),
        }
        for before, after in READERS:
            expected = self.ok(*before, "m.txt", *after)
            for label, (setup, name) in ways.items():
                with self.subTest(command=before[0], way=label):
                    line = " ".join(before + [name] + after)
                    self.assertEqual(self.ok_shell(f'{setup}"$TOOL" {line}'), expected)
        # A mask is read once, as a stream allows, however often --difficulty carves.
        self.write("mask.txt", b"###.\n####\n.###\n")
        args = "--difficulty easy --seed 5 --quiet"
        self.assertEqual(self.ok_shell(f'"$TOOL" generate --mask <(cat mask.txt) {args}'),
                         self.ok("generate", "--mask", "mask.txt", *args.split()))

    def test_a_huge_header_fails_at_once_without_its_memory(self):
        if SLOWDOWN > 1:
            self.skipTest("the sanitizers reserve far more address space than any limit here")
        self.write("m.txt", HUGE)
        shape = b"nitka-maze-shape 1 hex 100000 100000\ncells\n0\n"
        self.write("hex.txt", shape)
        rows = (
            ('"$TOOL" {} m.txt', "m.txt: its header says 100000 x 100000 cells, but its 20 bytes "
                                 "hold at most 1"),
            ('cat m.txt | "$TOOL" {} -', "standard input: ends after 1 of 100000 x 100000 cells"),
            ('"$TOOL" {} <(cat m.txt)', r"/dev/fd/\d+: ends after 1 of 100000 x 100000 cells"),
            ('"$TOOL" {} hex.txt', f"hex.txt: its header says a 100000 x 100000 hex maze, "
                                   f"more than its {len(shape)} bytes can hold"),
        )
        for command in ("info", "render -o out.txt"):
            for script, line in rows:
                with self.subTest(command=command, script=script):
                    # 200 MB of address space: the header's grid alone is 10 GB.
                    done = self.shell("ulimit -v 200000; " + script.format(command), timeout=20)
                    self.assertFailure(done, 1)
                    self.assertRegex(done.stderr.decode(), f"^nitka-maze: {line}\n")
        self.assertNotIn("out.txt", self.listing())

    def test_odd_files_fail_with_one_clear_line(self):
        # Empty files and folders: FileTest in test_tool.py.
        self.write("blank", b" \r\n\t\r\n")
        self.write("bom.txt", b"\xef\xbb\xbf" + MAZE)
        self.write("zero-ish", b"\xef\xbb")
        rows = (
            ("blank", "blank: no maze: it ends before its header's width and height"),
            ("bom.txt", "bom.txt: starts with a byte-order mark; save it without one"),
            ("zero-ish", 'zero-ish: line 1: "??" opens no maze file'),
            ("/dev/zero", "/dev/zero: no maze: its first 65536 bytes hold no header line"),
        )
        for before, after in READERS:
            for name, line in rows:
                with self.subTest(command=before[0], name=name):
                    self.assertFailure(self.tool(*before, name, *after, timeout=20), 1, line)
        self.assertFailure(self.tool("info", "-"), 1, "standard input: is empty")
        # A broken mask and a searched maze that is none are named once too.
        png = self.ok("render", "-", "--format", "png", "-o", "-", stdin=MAZE)
        self.write("cut.png", png[: len(png) // 2])
        self.assertFailure(self.tool("generate", "--mask", "cut.png", "-o", "out.gif"), 1,
                           "cut.png: a broken PNG: the file ends before the picture does")
        self.assertFailure(self.tool("animate", "--solve-only", "blank", "-o", "out.gif"), 1,
                           "blank: no maze: it ends before its header's width and height")
        self.assertNotIn("out.gif", self.listing())


if __name__ == "__main__":
    unittest.main()
