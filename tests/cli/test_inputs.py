"""nitka-maze reading its inputs as a hostile user gives them: streams under any
name, headers that promise more than the bytes behind them, odd files."""

import os
import subprocess
import unittest

from tool_case import SLOWDOWN, TOOL, ToolCase, maze_from_picture

MAZE = maze_from_picture("""
+---+---+---+
|           |
+---+---+   +
|   |       |
+   +   +---+
|           |
+---+---+---+
""")

MASK = b"###.\n####\n.###\n"

# A header for ten billion cells, with one cell behind it: 20 bytes.
HUGE = b"100000  100000\r\n0  0"

# The reads that take a maze FILE, as (command line before FILE, after FILE).
READERS = (
    (["info"], []),
    (["solve"], []),
    (["render", "--format", "svg"], ["-o", "-"]),
)


class InputTest(ToolCase):
    def shell(self, script, timeout=60):
        """Runs script under bash in the test's folder, with $TOOL the tool."""
        return subprocess.run(["bash", "-c", script], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, cwd=self.dir, timeout=timeout * SLOWDOWN,
                              env={**os.environ, "TOOL": TOOL})

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

    def test_a_mask_and_a_searched_maze_come_from_streams_too(self):
        self.write("mask.txt", MASK)
        self.write("m.txt", MAZE)
        maze = self.ok("generate", "--mask", "mask.txt", "--seed", "5")
        self.assertEqual(self.ok_shell('"$TOOL" generate --mask <(cat mask.txt) --seed 5'), maze)
        self.ok("animate", "--solve-only", "m.txt", "--cell", "6", "--duration", "0.5",
                "--fps", "10", "-o", "file.gif")
        self.ok_shell('cat m.txt | "$TOOL" animate --solve-only /dev/stdin --cell 6 '
                      '--duration 0.5 --fps 10 -o pipe.gif')
        self.assertEqual((self.dir / "pipe.gif").read_bytes(), (self.dir / "file.gif").read_bytes())

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

    def test_a_stream_too_large_to_hold_is_refused_once_it_outgrows_the_room(self):
        if SLOWDOWN > 1:
            self.skipTest("the sanitizers reserve far more address space than any limit here")
        # 64 million cells and a route through them: more than 100 MB.
        done = self.shell('"$TOOL" generate -W 8000 -H 8000 2>/dev/null | '
                          '(ulimit -v 100000; "$TOOL" info -)', timeout=120)
        self.assertFailure(done, 1)
        self.assertRegex(done.stderr.decode(), r"\Anitka-maze: standard input: 8000 x 8000 cells "
                                               r"need [\d.]+ MiB; this process may use [\d.]+ MiB\n")

    def test_odd_files_fail_with_one_clear_line(self):
        os.mkdir(self.dir / "folder")
        self.write("empty", b"")
        self.write("blank", b" \r\n\t\r\n")
        self.write("bom.txt", b"\xef\xbb\xbf" + MAZE)
        self.write("bom-shape.txt", b"\xef\xbb\xbfnitka-maze-shape 1 hex 1 1\ncells\n0\n")
        self.write("zero-ish", b"\xef\xbb")
        rows = (
            ("empty", "empty: is empty"),
            ("blank", "blank: no maze: it ends before its header's width and height"),
            ("/dev/null", "/dev/null: is empty"),
            ("folder", "folder: is a folder"),
            ("bom.txt", "bom.txt: starts with a byte-order mark; save it without one"),
            ("bom-shape.txt", "bom-shape.txt: starts with a byte-order mark; save it without one"),
            ("zero-ish", 'zero-ish: line 1: "??" opens no maze file'),
            ("/dev/zero", "/dev/zero: no maze: its first 65536 bytes hold no header line"),
        )
        for before, after in READERS:
            for name, line in rows:
                with self.subTest(command=before[0], name=name):
                    self.assertFailure(self.tool(*before, name, *after, timeout=20), 1, line)
        self.assertFailure(self.tool("info", "-"), 1, "standard input: is empty")

    def test_bad_masks_and_searched_mazes_are_named_once(self):
        os.mkdir(self.dir / "folder")
        self.write("m.txt", MAZE)
        png = self.ok("render", "m.txt", "--format", "png", "-o", "-")
        self.write("cut.png", png[: len(png) // 2])
        self.write("bad.png", png[:20] + bytes([png[20] ^ 0x55]) + png[21:])
        self.write("tab.txt", b"#\t#\n")
        rows = (
            (["generate", "--mask", "folder"], "folder: is a folder"),
            (["generate", "--mask", "cut.png"],
             "cut.png: a broken PNG: the file ends before the picture does"),
            (["generate", "--mask", "bad.png"],
             "bad.png: a broken PNG: its bytes do not decode as a picture"),
            (["generate", "--mask", "tab.txt"], "tab.txt: line 1: character 2 is a tab, whose "
                                                "width is unclear; use \".\" or spaces for holes"),
            (["animate", "--solve-only", "folder"], "folder: is a folder"),
        )
        for args, line in rows:
            with self.subTest(args=args):
                self.assertFailure(self.tool(*args, "-o", "out.gif"), 1, line)
        self.assertNotIn("out.gif", self.listing())


if __name__ == "__main__":
    unittest.main()
