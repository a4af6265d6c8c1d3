"""nitka-maze end to end: command lines, files, streams and exit statuses."""

import json
import os
import re
import resource
import shlex
import subprocess
import time
import unittest
import zlib

from tool_case import SLOWDOWN, TOOL, ToolCase, maze_file_text, maze_from_picture

# A loop: the window's route goes round the long way (7 cells), a shortest
# route takes 5.
LOOPY = maze_from_picture("""
+---+---+---+
|           |
+   +---+   +
|   |       |
+   +   +---+
|           |
+---+---+---+
""")

WALLED_OFF = maze_from_picture("""
+---+---+
|   |   |
+---+---+
""")


def route_cells(output):
    return [tuple(map(int, line.split(" "))) for line in output.decode().splitlines()]


class UsageTest(ToolCase):
    # A bad command line, the option or command its message names first ("" for
    # none) and, where it is fixed, the whole message.
    BAD = (("", ""), ("carve", "carve"), ("--colour", ""), ("generate extra", "extra"),
           ("generate --unknown", "--unknown"), ("generate -W", "--width"),
           ("generate -W 0", "--width"), ("generate -W 1e3", "--width"),
           ("generate -W ' 8'", "--width"), ("generate -H -5", "--height"),
           ("generate -H 99999999999", "--height"), ("generate --seed -1", "--seed"),
           ("generate --seed 0x10", "--seed"), ("generate --seed 18446744073709551616", "--seed"),
           ("generate --algorithm Prim", "--algorithm"), ("generate --algorithm ''", "--algorithm"),
           ("generate --algorithm growing-tree --pick first", "--pick",
            "--pick: pick 'first' is not newest, random, oldest or mix:P"),
           ("generate --algorithm growing-tree --pick mix:1.5", "--pick"),
           ("generate --algorithm growing-tree --pick mix:", "--pick"),
           ("generate --pick newest", "--pick",
            "--pick: only growing-tree has a pick; add --algorithm growing-tree"),
           ("generate --pick random --algorithm prim", "--pick"),
           ("generate --braid 1.5", "--braid", "--braid: '1.5' is not a share from 0 to 1"),
           ("generate --braid -0.5", "--braid"), ("generate --braid half", "--braid"),
           ("generate --braid nan", "--braid"), ("generate --braid 1e-2", "--braid"),
           ("solve --from 5", "--from"), ("solve --from -1,2", "--from"),
           ("solve --to 1,2,3", "--to"), ("solve --to ,2", "--to"), ("solve a.txt b.txt", "b.txt"),
           ("render -o maze.gif", "maze.gif"),
           ("render -o png", "png"), ("render -o x.png --format gif", "--format"),
           ("render -o x.png --answer", "--answer"), ("render -o x.png --cell 1", "--cell"),
           ("render -o x.pdf --paper a3", "--paper"), ("info --json=maybe", "--json"),
           ("info --json a b", "b"))

    def test_bad_command_lines_fail_with_status_2_and_one_line_naming_what_is_wrong(self):
        for args, subject, *line in self.BAD:
            with self.subTest(args=args):
                done = self.tool(*shlex.split(args))
                self.assertFailure(done, 2, *line)
                self.assertTrue(done.stderr.decode().startswith(f"nitka-maze: {subject}: "
                                                                if subject else "nitka-maze: "))
        self.assertFailure(self.tool("generate", "-W", "abc"), 2,
                           "--width: 'abc' is not a whole number from 1 to "
                           + self.size_limit())

    def test_help_and_version_go_to_stdout(self):
        for command in ("generate", "solve", "render", "info"):
            with self.subTest(command=command):
                help_text = self.ok(command, "--help").decode()
                self.assertIn(f"Usage: nitka-maze {command}", help_text)
                self.assertRegex(help_text, rf"Examples:\n(  nitka-maze [^\n]+\n?){{2,3}}\Z")
        self.assertRegex(self.ok("--help").decode(), "generate.*\n.*solve.*\n.*render.*\n.*info")
        self.assertRegex(self.ok("--version").decode(), r"\Anitka-maze \d+\.\d+\.\d+\n\Z")

    def size_limit(self):
        return re.search(r"--width N +Width in cells, 1 to (\d+)",
                         self.ok("generate", "--help").decode()).group(1)


class FileTest(ToolCase):
    READERS = (["solve"], ["info"], ["render", "-o", "out.txt"])

    def test_inputs_that_are_no_maze_file_fail_naming_the_file(self):
        os.mkdir(self.dir / "folder")
        os.mkfifo(self.dir / "fifo")
        self.write("plain", b"1  1\r\n1  1\r\n")
        self.write("words", b"a maze\r\n")
        self.write("empty", b"")
        self.write("flat", b"0  5\r\n")
        self.write("negative", b"-2  3\r\n")
        self.write("cut", b"3  3\r\n1  1\r\n")
        self.write("half", b"2  1\r\n1  1\r\n1")
        self.write("ctrl-z", b"2  2\r\n1  1\r\n1  0\r\n\x1a  1\r\n1  1\r\n")
        self.write("bad", b"2  1\r\n1  1\r\n1  0x1G\r\n")
        rows = [
            ("missing.txt", "missing.txt: File not found"),
            ("folder", "folder: is a folder"),
            ("/dev/null", "/dev/null: is empty"),
            ("plain/maze.txt", "plain/maze.txt: Invalid filename"),
            ("words", 'words: line 1: "a maze" opens no maze file'),
            ("bad", 'bad: line 3: "0x1G" is not a number'),
            ("cut", "cut: its header says 3 x 3 cells, but its 12 bytes hold at most 1"),
            ("half", "half: ends after 1 of 2 x 1 cells"),
            ("ctrl-z", "ctrl-z: ends after 2 of 2 x 2 cells"),
            ("empty", "empty: is empty"),
            ("flat", "flat: no maze: its width or height is below 1"),
            ("negative", "negative: no maze: its width or height is below 1"),
        ]
        for reader in self.READERS:
            for name, line in rows:
                with self.subTest(reader=reader, name=name):
                    self.assertFailure(self.tool(*reader, name), 1, line)
        self.assertEqual(self.listing(), ["bad", "ctrl-z", "cut", "empty", "fifo", "flat", "folder",
                                          "half", "negative", "plain", "words"])

    def test_the_default_input_is_standard_input_or_at_a_terminal_labird_txt(self):
        self.assertFailure(self.on_terminal("info", streams=("stdin",)), 1,
                           "labird.txt: File not found")
        self.write("labird.txt", LOOPY)
        self.assertEqual(self.on_terminal("solve", streams=("stdin",)).stdout,
                         self.ok("solve", "labird.txt"))
        for command in ("solve", "info"):
            self.assertEqual(self.ok(command, stdin=LOOPY), self.ok(command, "labird.txt"))

    def test_a_file_it_may_not_read_fails(self):
        self.write("secret.txt", LOOPY)
        os.chmod(self.dir / "secret.txt", 0)
        command = [TOOL, "info", "secret.txt"]
        if os.geteuid() == 0:
            # Permission bits do not stop root; the tool runs as nobody instead.
            os.chmod(self.dir, 0o755)
            command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", *command]
            if subprocess.run(command[:-2] + ["--version"], capture_output=True).returncode:
                self.skipTest("cannot run the tool as nobody here")
        done = subprocess.run(command, capture_output=True, cwd=self.dir, timeout=60)
        self.assertFailure(done, 1, "secret.txt: File access denied")

    def test_output_that_cannot_be_written_fails_and_leaves_nothing(self):
        self.write("labird.txt", LOOPY)
        self.write("plain", b"")
        targets = ["/proc/nitka-maze-test.txt", "plain/out.txt"]
        if os.geteuid() != 0:
            os.mkdir(self.dir / "locked", 0o555)
            targets.append("locked/out.txt")
        before = self.listing()
        for target in targets:
            for writer in (["generate", "-W", "8", "-H", "8", "--seed", "1", "-o"], ["render", "-o"]):
                with self.subTest(writer=writer, target=target):
                    done = self.tool(*writer, target)
                    self.assertFailure(done, 1)
                    self.assertTrue(done.stderr.decode().startswith(f"nitka-maze: {target}: "))
                    self.assertEqual(self.listing(), before)
        self.assertFalse(os.path.exists("/proc/nitka-maze-test.txt"))

    def test_a_file_size_limit_is_a_reported_error_that_keeps_the_old_file(self):
        self.write("out.txt", b"old")

        def limit_file_size():
            resource.setrlimit(resource.RLIMIT_FSIZE, (10_000, 10_000))

        done = self.tool("generate", "-W", "100", "-H", "100", "--seed", "1", "-o", "out.txt",
                         preexec_fn=limit_file_size)
        self.assertFailure(done, 1, "out.txt: I/O error 27 (File too large)")
        self.assertEqual(self.listing(), ["out.txt"])
        self.assertEqual((self.dir / "out.txt").read_bytes(), b"old")

    def test_a_pipe_or_device_named_as_output_is_written_as_a_stream(self):
        maze = self.ok("generate", "-W", "9", "-H", "7", "--seed", "3")
        os.mkfifo(self.dir / "pipe")
        reader = subprocess.Popen(["cat", "pipe"], cwd=self.dir, stdout=subprocess.PIPE)
        self.ok("generate", "-W", "9", "-H", "7", "--seed", "3", "-o", "pipe")
        self.assertEqual(reader.communicate(timeout=30)[0], maze)
        self.ok("generate", "--seed", "1", "-o", "/dev/null")
        self.assertFailure(self.tool("generate", "--seed", "1", "-o", "/dev/full"), 1,
                           "/dev/full: Disk full")
        with open("/dev/full", "wb") as full:
            done = self.tool("generate", "--seed", "1", stdout=full)
        self.assertEqual((done.returncode, done.stderr), (1, b"nitka-maze: standard output: Disk full\n"))


class StreamTest(ToolCase):
    def test_dash_reads_standard_input_and_writes_standard_output(self):
        maze = self.ok("generate", "-W", "9", "-H", "7", "--seed", "3", "-o", "-")
        self.write("maze.txt", maze)
        self.assertEqual(self.ok("generate", "-W", "9", "-H", "7", "--seed", "3"), maze)
        for command in (["solve"], ["solve", "--shortest"], ["info"], ["info", "--json"],
                        ["render", "-o", "-"], ["render", "-o", "-", "--format", "svg"]):
            with self.subTest(command=command):
                self.assertEqual(self.ok(*command, "-", stdin=maze),
                                 self.ok(*command, "maze.txt"))

    def test_generate_solve_info_round_trip(self):
        self.ok("generate", "-W", "12", "-H", "9", "--seed", "5", "-o", "maze.txt")
        text = (self.dir / "maze.txt").read_bytes()
        self.assertEqual(text.count(b"\r\n"), 12 * 9 + 1)
        self.assertTrue(text.startswith(b"12  9\r\n"))
        route = route_cells(self.ok("solve", "maze.txt"))
        self.assertEqual((route[0], route[-1]), ((0, 0), (11, 8)))
        self.assertEqual(len(set(route)), len(route))
        for (x0, y0), (x1, y1) in zip(route, route[1:]):
            self.assertEqual(abs(x1 - x0) + abs(y1 - y0), 1)
        # A carved maze is perfect, so its one route is also the shortest.
        self.assertEqual(route_cells(self.ok("solve", "--shortest", "maze.txt")), route)
        facts = json.loads(self.ok("info", "--json", "maze.txt"))
        self.assertEqual([facts[key] for key in ("cells", "reachable", "perfect", "loops",
                                                 "route_cells", "shortest_cells", "passages")],
                         [108, 108, True, 0, len(route), len(route), 107])
        self.assertTrue(self.ok("info", "maze.txt").startswith(b"width: 12\nheight: 9\ncells: 108\n"))

    def test_a_reader_that_stops_early_ends_the_tool_quietly(self):
        done = subprocess.run(["bash", "-c", f"'{TOOL}' generate -W 3000 -H 3000 --seed 1 | head -1"],
                              capture_output=True, timeout=120)
        self.assertEqual((done.stdout, done.stderr), (b"3000  3000\r\n", b""))


# The bytes of a 3000 x 3000 maze file: its header line and six a cell.
WHOLE_3000 = len(b"3000  3000\r\n") + 3000 * 3000 * 6


class SafetyTest(ToolCase):
    """No command writes over its input, leaves a half-written file, or lets an
    interrupt leave a temporary one."""

    def setUp(self):
        super().setUp()
        self.temporary = self.dir / "tmp"
        self.temporary.mkdir()
        self.env = dict(os.environ, TMPDIR=str(self.temporary))

    def test_the_output_is_never_an_input(self):
        self.write("m.txt", LOOPY)
        os.symlink("m.txt", self.dir / "soft.txt")
        os.link(self.dir / "m.txt", self.dir / "hard.txt")
        script = {
            "render m.txt -o m.txt": "m.txt: is the same file as the input m.txt",
            "render m.txt -o soft.txt": "soft.txt: is the same file as the input m.txt",
            "render soft.txt -o hard.txt": "hard.txt: is the same file as the input soft.txt",
            "render -o m.txt < m.txt": "m.txt: is the same file as the input standard input",
            "render - >> m.txt < hard.txt": "standard output: is the same file as the input "
                                            "standard input",
            "info m.txt >> soft.txt": "standard output: is the same file as the input m.txt",
            "solve --shortest >> m.txt < m.txt": "standard output: is the same file as the "
                                                 "input standard input",
        }
        for line, message in script.items():
            with self.subTest(line=line):
                done = subprocess.run(["bash", "-c", f"'{TOOL}' {line}"], cwd=self.dir,
                                      capture_output=True, timeout=60)
                self.assertFailure(done, 2, message + "; write the output to another file")
                self.assertEqual((self.dir / "m.txt").read_bytes(), LOOPY)

    def test_a_file_written_in_place_is_whole_or_untouched(self):
        self.write("maze.txt", LOOPY)
        os.link(self.dir / "maze.txt", self.dir / "keep.txt")  # a second name: in place
        self.write("in.txt", self.ok("generate", "-W", 30, "-H", 30, "--seed", 3))
        limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (5 * 1024, 5 * 1024))
        # Known length (generate) and a staged copy (render): both refused
        # before the old bytes are touched.
        for args in (["generate", "-W", 100, "-H", 100, "--seed", 1, "-o", "maze.txt"],
                     ["render", "in.txt", "-o", "maze.txt", "--format", "svg"]):
            with self.subTest(command=args[0]):
                done = self.tool(*args, preexec_fn=limit, env=self.env)
                self.assertFailure(done, 1, "maze.txt: I/O error 27 (File too large)")
                self.assertEqual((self.dir / "keep.txt").read_bytes(), LOOPY)
        for args in (["generate", "-W", 30, "-H", 30, "--seed", 2, "-o", "maze.txt"],
                     ["render", "-", "-o", "maze.txt"]):
            with self.subTest(command=args[0], limit=None):
                self.ok(*args, stdin=LOOPY, env=self.env)
                self.assertEqual((self.dir / "keep.txt").read_bytes(),
                                 (self.dir / "maze.txt").read_bytes())
        self.assertEqual(self.listing(), ["in.txt", "keep.txt", "maze.txt", "tmp"])

    def test_an_interrupt_leaves_no_file_behind(self):
        for signal, delay in ((2, 0.1), (15, 0.4), (1, 0.8), (2, 1.2)):
            with self.subTest(signal=signal, delay=delay):
                process = subprocess.Popen([TOOL, "generate", "-W", "3000", "-H", "3000",
                                            "-o", "big.txt", "--quiet"], cwd=self.dir,
                                           env=self.env, stderr=subprocess.PIPE)
                time.sleep(delay * SLOWDOWN)
                process.send_signal(signal)
                process.communicate(timeout=60 * SLOWDOWN)
                # Ended by the signal with nothing left, or with the whole file
                # when the signal came after it was in place; or done before it.
                listing = self.listing()
                self.assertIn(process.returncode, (0, -signal))
                if listing == ["big.txt", "tmp"]:
                    self.assertEqual((self.dir / "big.txt").stat().st_size, WHOLE_3000)
                    os.unlink(self.dir / "big.txt")
                else:
                    self.assertEqual((process.returncode, listing), (-signal, ["tmp"]))

    def test_a_bad_output_costs_no_work(self):
        rows = (("generate", "-W", 6000, "-H", 6000, "-o", "nodir/x.txt"),
                ("render", "missing.txt", "-o", "nodir/x.png"),
                ("generate", "-o", "tmp"), ("render", "missing.txt", "--format", "svg", "-o", "tmp"))
        for args in rows:
            with self.subTest(args=args):
                # One line naming the output: no seed told, no input read.
                done = self.tool(*args, timeout=2)
                self.assertFailure(done, 1)
                self.assertRegex(done.stderr.decode(),
                                 rf"\Anitka-maze: {args[-1]}: (File not found|is a folder)\n")


class FilterTest(ToolCase):
    """Habits of a Unix filter: streams by default, help, quiet, progress."""

    def test_streams_are_the_default_and_binary_stays_off_the_terminal(self):
        maze = self.ok("generate", "-W", 5, "-H", 4, "--seed", 8)
        self.assertEqual(self.ok("render", stdin=maze), self.ok("render", "-", "-o", "-", stdin=maze))
        self.assertTrue(self.ok("render", "--format", "png", stdin=maze).startswith(b"\x89PNG"))
        self.write("maze.txt", maze)
        for picture in ("png", "pdf"):
            with self.subTest(picture=picture):
                done = self.on_terminal("render", "maze.txt", "--format", picture,
                                        streams=("stdout",))
                self.assertEqual((done.returncode, done.terminal), (2, b""))
                self.assertRegex(done.stderr.decode(), r"\Anitka-maze: standard output: a P[ND][GF] would garble ")
        self.assertIn(b"+---+", self.on_terminal("render", "maze.txt", streams=("stdout",)).terminal)

    def test_help_names_a_command_or_fails(self):
        for command in ("generate", "solve", "render", "info"):
            self.assertEqual(self.ok("help", command), self.ok(command, "--help"))
        self.assertEqual(self.ok("help"), self.ok("--help"))
        self.assertIn("nitka-maze help COMMAND", self.ok("help").decode())
        self.assertFailure(self.tool("help", "carve"), 2, "carve: no such command; the commands "
                                                          "are generate, solve, render, info, animate, book and help")
        self.assertFailure(self.tool("help", "solve", "info"), 2)

    def test_progress_shows_only_on_a_terminal_and_not_when_quiet(self):
        # A small maze is over before a line would help.
        self.assertRegex(self.on_terminal("generate", "-o", "/dev/null", streams=("stderr",)
                                          ).terminal.decode(), r"\Aseed \d+\r?\n\Z")
        if SLOWDOWN > 1:
            self.skipTest("an unoptimised sanitizer build carves a maze worth a line for minutes")
        big = ("generate", "-W", 8000, "-H", 8000, "-o", "/dev/null")
        shown = self.on_terminal(*big, streams=("stderr",), timeout=120).terminal.decode()
        self.assertRegex(shown, r"\Aseed \d+\r?\n(\rnitka-maze: generate: \d{1,2}%)+\r\x1b\[K\Z")
        self.assertEqual(self.on_terminal(*big, "--quiet", streams=("stderr",),
                                          timeout=120).terminal, b"")
        self.assertEqual(self.tool(*big, "--seed", 1, timeout=120).stderr, b"")


def grey_png(rows):
    """A PNG of 8-bit grey pixels, one row a string: '#' black, else white."""
    import struct
    import zlib

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + bytes(0 if c == "#" else 255 for c in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 0, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


class ShapeTest(ToolCase):
    """Every command on every shape, through the shape file."""

    RING = ["#######", "#.....#", "#.###.#", "#######"]
    SHAPES = {"hex": ["--shape", "hex", "-W", 9, "-H", 7],
              "triangle": ["--shape", "triangle", "-W", 11, "-H", 5],
              "polar": ["--shape", "polar", "-H", 6],
              "text mask": ["--mask", "ring.txt"],
              "png mask": ["--shape", "hex", "--mask", "ring.png"]}

    def setUp(self):
        super().setUp()
        self.write("ring.txt", "\n".join(self.RING).encode() + b"\n")
        self.write("ring.png", grey_png(self.RING))

    def test_every_command_works_on_every_shape(self):
        for label, options in self.SHAPES.items():
            with self.subTest(shape=label):
                args = ["generate", *options, "--seed", 5, "--algorithm", "wilson"]
                maze = self.ok(*args)
                self.assertEqual(self.ok(*args), maze)
                self.assertTrue(maze.startswith(b"nitka-maze-shape 1 "))
                self.write("maze.txt", maze)
                graph = json.loads(self.ok("render", "maze.txt", "--format", "json"))
                cells = [tuple(cell) for cell in graph["cells"]]
                # A perfect maze: its passages join every cell with no loop.
                self.assertEqual(len(graph["passages"]), len(cells) - 1)
                self.assertTrue(set(map(tuple, graph["passages"])) <=
                                set(map(tuple, graph["neighbours"])))
                facts = json.loads(self.ok("info", "--json", "maze.txt"))
                self.assertEqual((facts["cells"], facts["reachable"], facts["perfect"]),
                                 (len(cells), len(cells), True))
                route = route_cells(self.ok("solve", "maze.txt"))
                self.assertEqual((route[0], route[-1]),
                                 (cells[graph["start"]], cells[graph["target"]]))
                self.assertEqual(len(route), facts["route_cells"])
                self.assertEqual(route_cells(self.ok("solve", "--shortest", "maze.txt")), route)
                back = route_cells(self.ok("solve", "--from", "%d,%d" % route[-1],
                                           "--to", "%d,%d" % route[0], "maze.txt"))
                self.assertEqual(back, route[::-1])
                for picture, start in (("svg", b"<svg"), ("png", b"\x89PNG"), ("pdf", b"%PDF")):
                    data = self.ok("render", "maze.txt", "--route", "--format", picture)
                    self.assertIn(start, data[:100])
                self.assertFailure(self.tool("render", "maze.txt"), 2)

    def test_shapes_keep_their_place_and_size_rules(self):
        self.write("apart.txt", b"##..#\n##..#\n")
        rows = (
            (["--shape", "polar", "-W", 5], 2, "--width: a polar maze has no width: its rings, "
                                               "-H, decide its cells"),
            (["--shape", "polar", "--mask", "ring.txt"], 2, "--mask: a polar maze takes no mask"),
            (["--mask", "ring.txt", "-H", 5], 2, "--mask: the mask sets the size; leave out -W "
                                                 "and -H"),
            (["--shape", "square"], 2, "--shape: 'square' is none of rect, hex, triangle, polar"),
            (["--shape", "hex", "--algorithm", "sidewinder"], 2,
             "--algorithm: sidewinder works on a plain rectangle only; on a hex use depth-first, "
             "prim, kruskal, wilson, aldous-broder, hunt-and-kill, growing-tree"),
            (["--mask", "apart.txt"], 1, "apart.txt: its cells fall in 2 separate parts (cells "
                                         "meeting only at a corner are apart), one holding each "
                                         "of 0,0; 4,0"),
            (["--shape", "triangle", "-W", 1, "-H", 3], 1, "a 1 x 3 triangle layout: "
             "its cells fall in 2 separate parts (cells meeting only at a corner are apart), one "
             "holding each of 0,0; 0,2"),
            (["--mask", "missing.png"], 1, None),
        )
        for options, status, line in rows:
            with self.subTest(options=options):
                self.assertFailure(self.tool("generate", *options, "-o", "out.txt"), status, line)
        self.assertNotIn("out.txt", self.listing())
        # A plain rectangle stays in the window's format, byte for byte.
        self.assertEqual(self.ok("generate", "--shape", "rect", "--seed", 3),
                         self.ok("generate", "--seed", 3))

    def test_a_shape_file_cut_short_fails(self):
        maze = self.ok("generate", "--shape", "hex", "-W", 9, "-H", 7, "--seed", 1)
        # Two rows of nine and the last four cells of the row before them.
        self.write("cut.txt", maze[:len(maze) - 25])
        for command in (["solve"], ["info"], ["render", "--format", "svg"]):
            with self.subTest(command=command):
                self.assertFailure(self.tool(*command, "cut.txt"), 1,
                                   "cut.txt: its header says a 9 x 7 hex maze, more than its "
                                   f"{len(maze) - 25} bytes can hold")
        # Through a pipe, whose length is not known, it ends where it ends.
        self.assertFailure(self.tool("info", "-", stdin=maze[:len(maze) - 25]), 1,
                           "standard input: ends after 41 of 9 x 7 cells")


class SizeTest(ToolCase):
    def test_the_largest_sides_are_made(self):
        for width, height in ((1_000_000, 1), (1, 1_000_000)):
            with self.subTest(width=width, height=height):
                self.ok("generate", "-W", width, "-H", height, "--seed", "1", "-o", "long.txt")
                with open(self.dir / "long.txt", "rb") as maze:
                    self.assertEqual(maze.readline(), f"{width}  {height}\r\n".encode())
                # One cell wide, a perfect maze is one corridor: the route is every cell.
                facts = json.loads(self.ok("info", "--json", "long.txt"))
                self.assertEqual((facts["cells"], facts["perfect"], facts["route_cells"]),
                                 (1_000_000, True, 1_000_000))

    def test_sizes_past_the_limits_are_refused_before_any_work(self):
        self.assertFailure(self.tool("generate", "-W", "1000001"), 2)
        self.assertFailure(self.tool("generate", "-W", "1000000", "-H", "1000000", "--seed", "1"),
                           1)
        self.write("huge.txt", b"1000000  1000000\r\n")
        self.write("wide.txt", b"1000001  1\r\n")
        self.write("widest.txt", b"2147483647  2147483647\r\n")
        for name in ("huge.txt", "wide.txt", "widest.txt"):
            for command in (["solve"], ["info"], ["render", "-o", "out.png"]):
                with self.subTest(name=name, command=command):
                    # A terabyte asked for would take far longer than this.
                    done = self.tool(*command, name, timeout=10)
                    self.assertFailure(done, 1)
                    # Its size, or the picture's past what a PNG holds.
                    self.assertRegex(done.stderr.decode(),
                                     rf"\Anitka-maze: {name}: (\d+ x \d+ |a PNG is at most)")
        self.assertNotIn("out.png", self.listing())


class LimitTest(ToolCase):
    def test_memory_limits_of_the_process_are_refused_with_both_sides_said(self):
        if SLOWDOWN > 1:
            self.skipTest("the sanitizers reserve far more address space than any limit here")
        # Long enough for its cells (sparse: blanks that take no disk), so that
        # memory is what refuses it.
        os.truncate(self.write("huge.txt", b"20000  20000\r\n"), 14 + 4 * 20000 * 20000)
        for resource_name in ("RLIMIT_AS", "RLIMIT_DATA"):
            kind = getattr(resource, resource_name)
            limit = lambda: resource.setrlimit(kind, (300 << 20, 300 << 20))
            for args in (("generate", "-W", 20000, "-H", 20000, "-o", "out.txt"),
                         ("info", "huge.txt"), ("render", "huge.txt", "-o", "out.png")):
                with self.subTest(limit=resource_name, command=args[0]):
                    done = self.tool(*args, preexec_fn=limit)
                    self.assertFailure(done, 1)
                    self.assertRegex(done.stderr.decode(), r"\Anitka-maze: ([\w.]+: )?20000 x 20000 "
                                     r"cells need [\d.]+ MiB; this process may use [\d.]+ MiB\n")
        self.assertEqual(self.listing(), ["huge.txt"])


class SolveTest(ToolCase):
    def test_routes_follow_the_window_or_the_shortest_way(self):
        self.write("loopy.txt", LOOPY)
        self.assertEqual(route_cells(self.ok("solve", "loopy.txt")),
                         [(0, 0), (1, 0), (2, 0), (2, 1), (1, 1), (1, 2), (2, 2)])
        self.assertEqual(route_cells(self.ok("solve", "--shortest", "loopy.txt")),
                         [(0, 0), (0, 1), (0, 2), (1, 2), (2, 2)])
        self.assertEqual(route_cells(self.ok("solve", "--from", "2,1", "--to", "0,0", "loopy.txt")),
                         [(2, 1), (2, 0), (1, 0), (0, 0)])
        self.assertEqual(self.ok("solve", "--from", "1,1", "--to", "1,1", "loopy.txt"), b"1 1\n")
        # info counts the same two routes; the difficulty comes after the older keys:
        # the shortest route's 5 cells and half the 4 others, a tenth, and 2 decisions.
        info = json.loads(self.ok("info", "--json", "loopy.txt"))
        self.assertEqual(list(info)[-1], "difficulty")
        self.assertEqual(info,
                         {"width": 3, "height": 3, "cells": 9, "reachable": 9, "perfect": False,
                          "loops": 1, "dead_ends": 1, "route_cells": 7, "shortest_cells": 5,
                          "passages": 9, "corridors": 2, "mean_corridor_length": 4.5,
                          "difficulty": 2.7})

    def test_no_route_and_cells_outside_fail(self):
        self.write("walled.txt", WALLED_OFF)
        for args, line in ((["walled.txt"], "walled.txt: no route from 0,0 to 1,0"),
                           (["--shortest", "walled.txt"], "walled.txt: no route from 0,0 to 1,0"),
                           (["--to", "2,0", "walled.txt"],
                            "--to: 2,0 lies outside the maze of 2 x 1 cells"),
                           (["--from", "0,1", "walled.txt"],
                            "--from: 0,1 lies outside the maze of 2 x 1 cells")):
            with self.subTest(args=args):
                self.assertFailure(self.tool("solve", *args), 1, line)

    def test_only_a_flag_of_exactly_one_blocks_the_route(self):
        # 2 reads as a wall on the picture, but the window's route passes it.
        self.write("other.txt", maze_file_text(2, 1, [(1, 1), (1, 2)]))
        self.assertEqual(route_cells(self.ok("solve", "other.txt")), [(0, 0), (1, 0)])


class AlgorithmTest(ToolCase):
    METHODS = ("depth-first", "prim", "kruskal", "wilson", "aldous-broder", "hunt-and-kill",
               "growing-tree", "eller", "binary-tree", "sidewinder", "recursive-division")

    def facts(self, maze):
        return json.loads(self.ok("info", "--json", "-", stdin=maze))

    def test_every_method_makes_a_perfect_maze_again_for_its_seed(self):
        help_text = self.ok("generate", "--help").decode()
        mazes = set()
        for method in self.METHODS:
            with self.subTest(method=method):
                self.assertRegex(help_text, rf"\n  {method}( \*)? +\w")
                args = ["generate", "--algorithm", method, "-W", 23, "-H", 17, "--seed", 7]
                maze = self.ok(*args)
                self.assertEqual(self.ok(*args), maze)
                if method == "depth-first":  # the default, to the byte
                    self.assertEqual(self.ok("generate", *args[3:]), maze)
                facts = self.facts(maze)
                self.assertEqual((facts["cells"], facts["perfect"], facts["passages"]),
                                 (23 * 17, True, 23 * 17 - 1))
                mazes.add(maze)
        self.assertEqual(len(mazes), len(self.METHODS))
        # The lists that grow with the maze are marked.
        self.assertEqual(re.findall(r"\n  ([\w-]+) \*", help_text),
                         ["prim", "kruskal", "growing-tree"])

    def test_picks_and_braids(self):
        grown = {pick: self.ok("generate", "--algorithm", "growing-tree", "--pick", pick,
                               "--seed", 3, "-W", 30, "-H", 30)
                 for pick in ("newest", "random", "oldest", "mix:0.5")}
        self.assertEqual(len(set(grown.values())), 4)
        # mix:0.5 is the pick growing-tree takes unless told.
        self.assertEqual(self.ok("generate", "--algorithm", "growing-tree", "--seed", 3,
                                 "-W", 30, "-H", 30), grown["mix:0.5"])
        perfect = self.facts(self.ok("generate", "--algorithm", "kruskal", "--seed", 4))
        half = self.facts(self.ok("generate", "--algorithm", "kruskal", "--seed", 4,
                                  "--braid", "0.5"))
        full = self.facts(self.ok("generate", "--algorithm", "kruskal", "--seed", 4,
                                  "--braid", "1"))
        self.assertFalse(half["perfect"])
        self.assertLessEqual(abs(half["dead_ends"] - perfect["dead_ends"] / 2), 2)
        self.assertEqual((full["dead_ends"], full["reachable"]), (0, 2500))
        self.assertGreater(full["loops"], half["loops"])

    def test_random_walks_refuse_sizes_they_cannot_finish(self):
        done = self.tool("generate", "--algorithm", "aldous-broder", "-W", 5000, "-H", 5000,
                         "--seed", 1, "-o", "maze.txt", timeout=10)
        self.assertFailure(done, 1)
        self.assertRegex(done.stderr.decode(),
                         r"\Anitka-maze: aldous-broder: a 5000 x 5000 maze takes about "
                         r"[\d.]+ billion random steps, too many; wilson ")
        self.assertFalse(self.listing())
        # The same size is quick for the methods that do not walk at random.
        done = self.tool("generate", "--algorithm", "eller", "-W", 5000, "-H", 5000, "--seed", 1,
                         stdout=subprocess.DEVNULL)
        self.assertEqual((done.returncode, done.stderr), (0, b""))


class RenderTest(ToolCase):
    def test_each_format_writes_its_kind_of_file(self):
        self.ok("generate", "-W", "8", "-H", "8", "--seed", "1", "-o", "maze.txt")
        for name, extra, start in (("maze.png", [], b"\x89PNG\r\n\x1a\n"),
                                   ("maze.svg", ["--route"], b"<svg"), ("maze.pdf", [], b"%PDF-")):
            with self.subTest(name=name):
                self.ok("render", "maze.txt", "-o", name, *extra)
                data = (self.dir / name).read_bytes()
                self.assertTrue(data[data.find(start):].startswith(start), data[:40])
        ascii_art = self.ok("render", "maze.txt", "-o", "-").decode().splitlines()
        self.assertEqual((len(ascii_art), {len(line) for line in ascii_art}), (17, {33}))

    def test_route_dots_and_the_answer_page(self):
        self.write("loopy.txt", LOOPY)
        plain = self.ok("render", "loopy.txt", "-o", "-").decode()
        window = self.ok("render", "loopy.txt", "-o", "-", "--route").decode()
        shortest = self.ok("render", "loopy.txt", "-o", "-", "--shortest").decode()
        dots = lambda picture: sum(line.count("o") + line.count("*")
                                   for line in picture.splitlines())
        self.assertEqual((dots(plain), dots(window), dots(shortest)), (0, 7, 5))
        for extra, pages in (([], 1), (["--answer"], 2), (["--answer", "--shortest"], 2),
                             (["--paper", "letter"], 1)):
            with self.subTest(extra=extra):
                pdf = self.ok("render", "loopy.txt", "-o", "-", "--format", "pdf", *extra)
                self.assertEqual(len(re.findall(rb"/Type\s*/Page\b", pdf)), pages)


    def test_a_picture_that_cannot_be_made_leaves_no_file(self):
        self.ok("generate", "-W", "2000", "-H", "2000", "--seed", "1", "-o", "big.txt")
        self.ok("generate", "-W", "1000000", "-H", "1", "--seed", "1", "-o", "long.txt")
        self.write("old.png", b"old")
        for args in (["big.txt", "-o", "big.pdf"], ["long.txt", "-o", "old.png", "--cell", "2"]):
            with self.subTest(args=args):
                done = self.tool("render", *args)
                self.assertFailure(done, 1)
                # The maze is too large for the format: its file is at fault.
                self.assertTrue(done.stderr.decode().startswith(f"nitka-maze: {args[0]}: "))
        self.assertEqual(self.listing(), ["big.txt", "long.txt", "old.png"])
        self.assertEqual((self.dir / "old.png").read_bytes(), b"old")



def info_of(text):
    return dict(line.split(": ", 1) for line in text.decode().splitlines())


def bookmarks(pdf):
    """The titles of a book's bookmarks, puzzles and answers, in order."""
    return [title.decode() for title in re.findall(rb"/Title \(((?:Maze|Answer) [^)]*)\)", pdf)]


def pdf_segments(pdf):
    """The straight lines of a PDF's page contents, in points with y downward."""
    segments = []
    for found in re.finditer(rb"/FlateDecode[^>]*>>\s*stream\r?\n", pdf):
        data = zlib.decompressobj().decompress(pdf[found.end():])
        if not data.startswith(b"1 0 0 -1 "):  # a font, not a page
            continue
        words, point = [], None
        for word in data.split():
            if word in (b"m", b"l"):
                end = (float(words[-2]), float(words[-1]))
                if word == b"l":
                    segments.append((point, end))
                point = end
            words.append(word)
    return segments


def rectangle_gaps(pdf, width, height):
    """The unit sides of a rectangle's outer wall that no line of the PDF covers."""
    segments = pdf_segments(pdf)
    xs = [x for segment in segments for x, _ in segment]
    ys = [y for segment in segments for _, y in segment]
    left, top = min(xs), min(ys)
    cell = (max(xs) - left) / width

    def covered(x, y):
        return any(min(a[0], b[0]) - 0.01 <= x <= max(a[0], b[0]) + 0.01 and
                   min(a[1], b[1]) - 0.01 <= y <= max(a[1], b[1]) + 0.01 for a, b in segments)
    gaps = []
    for x in range(width):
        for side, y in (("top", 0), ("bottom", height)):
            if not covered(left + (x + 0.5) * cell, top + y * cell):
                gaps.append(f"{side} {x},{y - (y == height)}")
    for y in range(height):
        for side, x in (("left", 0), ("right", width)):
            if not covered(left + x * cell, top + (y + 0.5) * cell):
                gaps.append(f"{side} {x - (x == width)},{y}")
    return sorted(gaps)


def first_edge_side(cell, width, height, taken=None):
    """The opening of a rectangle's cell: its first side on the edge in the
    outline's order (top, right, bottom, left) but taken."""
    x, y = cell
    for side, on_edge in (("top", y == 0), ("right", x == width - 1),
                          ("bottom", y == height - 1), ("left", x == 0)):
        if on_edge and f"{side} {x},{y}" != taken:
            return f"{side} {x},{y}"
    return None


class PrintTest(ToolCase):
    """Marks on the page, the difficulty score, exits kept in the file, books."""

    BANDS = {"easy": (0, 30), "medium": (30, 120), "hard": (120, 400), "80": (72, 88)}

    def test_generate_lands_in_the_band_asked_on_every_shape(self):
        for shape in ("rect", "hex", "triangle", "polar"):
            for band, (low, high) in self.BANDS.items():
                with self.subTest(shape=shape, band=band):
                    args = ("generate", "--shape", shape, "--difficulty", band, "--seed", "9")
                    done = self.tool(*args)
                    self.assertEqual(done.returncode, 0, done.stderr)
                    self.assertEqual(self.ok(*args, "--quiet"), done.stdout)
                    score = float(info_of(self.ok("info", "-", stdin=done.stdout))["difficulty"])
                    self.assertTrue(low <= score < high, score)
                    # The options told on stderr make the same maze without --difficulty.
                    told = done.stderr.decode().split(": ", 1)[1].split()
                    self.assertEqual(self.ok("generate", *told, "--quiet"), done.stdout)

    def test_a_size_that_cannot_reach_the_band_fails(self):
        done = self.tool("generate", "-W", "4", "-H", "4", "--difficulty", "expert", "--seed", "1",
                         "-o", "m.txt")
        self.assertFailure(done, 1)
        self.assertIn("--difficulty: no maze scored from 400.0", done.stderr.decode())
        # One that would take minutes a try is refused before the first.
        done = self.tool("generate", "-W", "100000", "-H", "100000", "--difficulty", "5",
                         "-o", "m.txt", timeout=10)
        self.assertFailure(done, 2)
        self.assertIn("takes too long to carve again and again", done.stderr.decode())
        self.assertEqual(self.listing(), [])

    def test_farthest_exits_are_kept_and_used_by_every_command(self):
        self.ok("generate", "-W", "9", "-H", "7", "--exits", "farthest", "--seed", "3",
                "-o", "m.txt")
        lines = (self.dir / "m.txt").read_text().splitlines()
        self.assertEqual(lines[0], "nitka-maze-shape 1 rect 9 7")
        start = tuple(map(int, lines[1].removeprefix("start ").split()))
        target = tuple(map(int, lines[2].removeprefix("target ").split()))
        route = route_cells(self.ok("solve", "m.txt"))
        self.assertEqual((route[0], route[-1]), (start, target))
        self.assertEqual(int(info_of(self.ok("info", "m.txt"))["shortest cells"]), len(route))
        graph = json.loads(self.ok("render", "m.txt", "--format", "json"))
        self.assertEqual((graph["start"], graph["target"]),
                         (start[1] * 9 + start[0], target[1] * 9 + target[0]))
        # Both on the edge, and no two edge cells of this perfect maze farther apart.
        for x, y in (start, target):
            self.assertTrue(x in (0, 8) or y in (0, 6))

    def test_a_rectangles_pdf_opens_its_wall_at_start_and_target_only(self):
        self.ok("generate", "-W", "7", "-H", "5", "--seed", "2", "-o", "plain.txt")
        self.assertEqual(rectangle_gaps(self.ok("render", "plain.txt", "--format", "pdf"), 7, 5),
                         ["right 6,4", "top 0,0"])
        self.assertEqual(rectangle_gaps(self.ok("render", "plain.txt", "--format", "pdf",
                                                "--marks", "none"), 7, 5), [])
        for seed in range(1, 6):
            with self.subTest(seed=seed):
                self.ok("generate", "-W", "7", "-H", "5", "--exits", "farthest", "--seed", seed,
                        "-o", "exits.txt")
                lines = (self.dir / "exits.txt").read_text().splitlines()
                start = tuple(map(int, lines[1].split()[1:]))
                target = tuple(map(int, lines[2].split()[1:]))
                opening = first_edge_side(start, 7, 5)
                expected = sorted([opening, first_edge_side(target, 7, 5, opening)])
                pdf = self.ok("render", "exits.txt", "--format", "pdf", "--answer")
                self.assertEqual(rectangle_gaps(pdf, 7, 5), expected)

    def test_pictures_mark_start_and_target_by_default_but_the_png(self):
        self.ok("generate", "-W", "6", "-H", "5", "--seed", "2", "-o", "m.txt")
        for fmt in ("svg", "pdf", "png"):
            with self.subTest(fmt=fmt):
                default = self.ok("render", "m.txt", "--format", fmt, "-o", "-")
                none = self.ok("render", "m.txt", "--format", fmt, "-o", "-", "--marks", "none")
                openings = self.ok("render", "m.txt", "--format", fmt, "-o", "-",
                                   "--marks", "openings")
                strip = lambda data: re.sub(rb"/CreationDate \(.*?\)", b"", data)
                self.assertEqual(strip(default), strip(none if fmt == "png" else openings))
                self.assertNotEqual(strip(none), strip(openings))
        letters = self.ok("render", "m.txt", "--format", "svg", "--marks", "letters").decode()
        self.assertEqual(re.findall(r">([SF])</text>", letters), ["S", "F"])

    def test_a_book_has_its_pages_and_each_answer_its_puzzles_route(self):
        args = ("book", "-n", "7", "--per-page", "2", "-W", "12", "-H", "9", "--seed", "4",
                "--title", "Seven")
        pdf = self.ok(*args, "-o", "-")
        # Seven puzzles two a page, seven answers six a page.
        self.assertEqual(len(re.findall(rb"/Type\s*/Page\b", pdf)), 4 + 2)
        marks = bookmarks(pdf)
        puzzles = [mark for mark in marks if mark.startswith("Maze ")]
        answers = [mark for mark in marks if mark.startswith("Answer ")]
        self.assertEqual(len(puzzles), 7)
        self.assertEqual(len(answers), 7)
        for number, (puzzle, answer) in enumerate(zip(puzzles, answers), 1):
            with self.subTest(number=number):
                head, remake = puzzle.split(", generate ")
                self.assertEqual(head.split(":")[0], f"Maze {number}")
                maze = self.ok("generate", *remake.split(), "--quiet")
                route = route_cells(self.ok("solve", "--shortest", "-", stdin=maze))
                self.assertEqual(answer, f"Answer {number}: route {len(route)} cells")
                self.assertEqual(head.split("difficulty ")[1],
                                 info_of(self.ok("info", "-", stdin=maze))["difficulty"])
        self.assertEqual(bookmarks(self.ok(*args, "-o", "-")), marks)

    def test_a_rising_book_grows(self):
        pdf = self.ok("book", "-n", "6", "--difficulty", "rising", "--shape", "hex", "--seed", "2",
                      "-o", "-")
        scores = [float(mark.split("difficulty ")[1].split(",")[0])
                  for mark in bookmarks(pdf) if mark.startswith("Maze ")]
        self.assertEqual(scores, sorted(scores))
        self.assertTrue(13.5 <= scores[0] <= 16.5 and 540 <= scores[-1] <= 660, scores)

    def test_wrong_print_options_are_usage_errors(self):
        for args, subject in ((["render", "--marks", "arrows"], "--marks"),
                              (["render", "--marks", "letters", "--format", "ascii"], "--marks"),
                              (["book", "--shape", "polar", "-W", "9"], "--width"),
                              (["generate", "--difficulty", "tough"], "--difficulty"),
                              (["generate", "--difficulty", "0"], "--difficulty"),
                              (["generate", "--exits", "nearest"], "--exits"),
                              (["book", "--per-page", "3"], "--per-page"),
                              (["book", "-n", "0"], "--count"),
                              (["book", "--difficulty", "rising", "-W", "9"], "--difficulty")):
            with self.subTest(args=args):
                done = self.tool(*args, "-o", "out.pdf")
                self.assertFailure(done, 2)
                self.assertTrue(done.stderr.decode().startswith(f"nitka-maze: {subject}: "),
                                done.stderr)
        self.assertEqual(self.listing(), [])


class GiantTest(ToolCase):
    """A 2,000 x 2,000 maze made, measured and solved under a limit of address
    space the tool's one byte a cell fits in, and a byte grid of
    (2W + 1) x (2H + 1) with a stack of positions (16 MB and up to 32 MB more)
    could not."""

    def baseline_kib(self):
        """The tool's address space when it has started and waits for input."""
        process = subprocess.Popen([TOOL, "info", "-"], stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            status = f"/proc/{process.pid}/status"
            for _ in range(500):
                with open(status, encoding="ascii") as lines:
                    fields = dict(line.split(":", 1) for line in lines)
                if fields["State"].split()[0] == "S":
                    return int(fields["VmPeak"].split()[0])
                time.sleep(0.01)
            raise AssertionError("the tool never waited for its input")
        finally:
            process.kill()
            process.wait()

    def test_a_giant_maze_is_perfect_and_reads_back_in_bounded_memory(self):
        if SLOWDOWN > 1:
            self.skipTest("the sanitizers reserve far more address space than any limit here")
        limit = (self.baseline_kib() + 12 * 1024) * 1024

        def bounded(*args, **options):
            return self.ok(*args, preexec_fn=lambda: resource.setrlimit(
                resource.RLIMIT_AS, (limit, limit)), timeout=120, **options)

        side = 2000
        maze = bounded("generate", "-W", side, "-H", side, "--seed", "9")
        self.write("giant.txt", maze)
        facts = json.loads(bounded("info", "--json", "giant.txt"))
        self.assertEqual((facts["cells"], facts["reachable"], facts["perfect"], facts["loops"]),
                         (side * side, side * side, True, 0))
        route = route_cells(bounded("solve", "giant.txt"))
        self.assertEqual((route[0], route[-1], len(route)),
                         ((0, 0), (side - 1, side - 1), facts["route_cells"]))
        # The same bytes in from a stream give the same answers.
        self.assertEqual(json.loads(bounded("info", "--json", "-", stdin=maze)), facts)
        self.assertEqual(route_cells(bounded("solve", "-", stdin=maze)), route)


class SeedTest(ToolCase):
    def test_a_drawn_seed_is_told_and_makes_the_same_maze_again(self):
        done = self.tool("generate", "-W", "20", "-H", "20")
        self.assertEqual(done.returncode, 0)
        seed = re.fullmatch(r"seed (\d+)\n", done.stderr.decode())
        self.assertIsNotNone(seed, done.stderr)
        self.assertLess(int(seed.group(1)), 2 ** 64)
        self.assertEqual(self.ok("generate", "-W", "20", "-H", "20", "--seed", seed.group(1)),
                         done.stdout)
        mazes = {self.ok("generate", "-W", "16", "-H", "16", "--seed", seed)
                 for seed in ("0", "1", "18446744073709551615")}
        self.assertEqual(len(mazes), 3)
        self.assertEqual(self.ok("generate", "-W", "1", "-H", "1", "--seed", "9"),
                         b"1  1\r\n1  1\r\n")


class InstallTest(ToolCase):
    """The copy `cmake --install` puts in place, with its man page and completion."""

    def setUp(self):
        super().setUp()
        build = os.environ.get("NITKA_BUILD_DIR")
        if not build:
            self.skipTest("NITKA_BUILD_DIR names no build to install from")
        self.prefix = self.dir / "stage"
        subprocess.run(["cmake", "--install", build, "--prefix", self.prefix], check=True,
                       capture_output=True, timeout=300)

    def test_installed_tool_runs_with_its_man_page_and_completion(self):
        done = subprocess.run([self.prefix / "bin/nitka-maze", "--version"], capture_output=True)
        self.assertEqual(done.returncode, 0)
        self.assertRegex(done.stdout.decode(), r"\Anitka-maze \d")
        page = subprocess.run(["gzip", "-dc", self.prefix / "share/man/man1/nitka-maze.1.gz"],
                              capture_output=True, check=True).stdout.decode()
        self.assertIn(".TH NITKA-MAZE \"1\"", page)
        for section in ("COMMANDS", "EXIT STATUS", "EXAMPLES"):
            self.assertIn(f'.SH "{section}"', page.replace(".SH " + section, f'.SH "{section}"'))
        self.assertIn("nitka\\-maze render", page)
        self.assertIn("recursive\\-division", page)

        completion = self.prefix / "share/bash-completion/completions/nitka-maze"
        self.assertTrue(completion.is_file())
        self.write("maze.txt", b"")
        commands = "animate book dataset generate info render solve"
        for line, expected in (("nitka-maze ", commands + " help"),
                               ("nitka-maze help ", commands),
                               ("nitka-maze book --difficulty r", "rising"),
                               ("nitka-maze animate --f", "--fps --frames"),
                               ("nitka-maze info --", "--help --json --quiet"),
                               ("nitka-maze render maze.txt --format p", "pdf png"),
                               ("nitka-maze render --paper ", "a4 letter"),
                               ("nitka-maze generate --algorithm ", " ".join(sorted(
                                   AlgorithmTest.METHODS))),
                               ("nitka-maze generate --pick ", "mix:0.5 newest oldest random"),
                               ("nitka-maze solve ma", "maze.txt")):
            with self.subTest(line=line):
                self.assertEqual(sorted(self.complete(completion, line).split()),
                                 sorted(expected.split()))
        # Every command's options as its help lists them, none forgotten.
        for command in commands.split():
            with self.subTest(command=command):
                listed = self.tool(command, "--help").stdout.decode()
                options = set(re.findall(r"^ +(?:-\w,)?(--[\w-]+)", listed, re.MULTILINE))
                offered = self.complete(completion, f"nitka-maze {command} --").split()
                self.assertEqual(sorted(offered), sorted(options))

    def complete(self, completion, line):
        """The words bash offers at the end of line, sorted."""
        framework = "/usr/share/bash-completion/bash_completion"
        if not os.path.exists(framework):
            self.skipTest("bash-completion is not installed")
        script = (f"source {framework}; source '{completion}'; "
                  f"COMP_LINE='{line}'; COMP_POINT=${{#COMP_LINE}}; "
                  "read -ra COMP_WORDS <<< \"$COMP_LINE\"; "
                  "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=(''); "
                  "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _nitka_maze; "
                  "printf '%s\\n' \"${COMPREPLY[@]}\" | sort | xargs")
        done = subprocess.run(["bash", "-c", script], capture_output=True, cwd=self.dir,
                              timeout=60)
        return done.stdout.decode().strip()


if __name__ == "__main__":
    unittest.main()
