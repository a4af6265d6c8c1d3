"""nitka-maze animate --frames and the failure paths of every picture output:
a folder of frames appears whole or not at all, no output is left half made,
and long work shows its progress on a terminal."""

import os
import resource
import signal
import subprocess
import time
import unittest

from tool_case import SLOWDOWN, TOOL, ToolCase

SMALL = ("-W", "6", "-H", "5", "--seed", "3", "--cell", "6", "--duration", "0.5", "--fps", "4")
# Two frames, then the hold as 2 x fps copies.
SMALL_FRAMES = [f"frame-{i:05d}.png" for i in range(2 + 8)]
# Some seconds of frames: long enough to be interrupted at several moments.
LONG = ("-W", "150", "-H", "150", "--seed", "1", "--cell", "6", "--duration", "10", "--fps", "25",
        "--quiet")


class FramesTest(ToolCase):
    def setUp(self):
        super().setUp()
        self.temporary = self.dir / "tmp"
        self.temporary.mkdir()
        self.env = dict(os.environ, TMPDIR=str(self.temporary))

    def frames(self, folder="out"):
        return sorted(path.name for path in (self.dir / folder).iterdir())

    def test_a_folder_that_holds_anything_is_refused(self):
        self.ok("generate", "-W", "5", "-H", "5", "--seed", "1", "-o", "maze.txt")
        (self.dir / "full").mkdir()
        self.write("full/maze.txt", (self.dir / "maze.txt").read_bytes())
        (self.dir / "hidden").mkdir()
        self.write("hidden/.keep", b"")
        self.write("plain.txt", b"text")
        before = self.listing()
        for args, status, line in (
                (["--frames", "full"], 2, "full: holds files already; name a new or empty folder"),
                (["--frames", "hidden"], 2, "hidden: holds files already; name a new or empty "
                                            "folder"),
                # Its own input among the frames' names: refused, not written over.
                (["--solve-only", "full/maze.txt", "--frames", "full"], 2,
                 "full: holds files already; name a new or empty folder"),
                (["--frames", "plain.txt"], 1, "plain.txt: is not a folder"),
                (["--frames", "nodir/out"], 1, "nodir/out: File not found"),
        ):
            with self.subTest(args=args):
                maze = [] if "--solve-only" in args else ["-W", "4", "-H", "4", "--seed", "1"]
                self.assertFailure(self.tool("animate", *maze, *args, env=self.env), status, line)
                self.assertEqual(self.listing(), before)
                self.assertEqual((self.dir / "full/maze.txt").read_bytes(),
                                 (self.dir / "maze.txt").read_bytes())

    def test_frames_go_to_an_empty_folder_whole(self):
        # Named through a link, it is replaced, its permissions kept, and no
        # hidden folder is left beside it.
        (self.dir / "empty").mkdir(mode=0o750)
        os.chmod(self.dir / "empty", 0o750)
        os.symlink("empty", self.dir / "pointer")
        self.ok("animate", *SMALL, "--frames", "pointer", env=self.env)
        self.assertEqual(self.frames("empty"), SMALL_FRAMES)
        self.assertEqual((self.dir / "empty").stat().st_mode & 0o777, 0o750)
        self.assertEqual(sorted(path.name for path in self.dir.iterdir()),
                         ["empty", "pointer", "tmp"])

    def test_an_interrupt_leaves_no_folder_and_no_hidden_one(self):
        hidden_seen = False
        for number, delay in ((signal.SIGINT, 0.2), (signal.SIGTERM, 0.6), (signal.SIGHUP, 1.0),
                              (signal.SIGINT, 1.6), (signal.SIGTERM, 2.5)):
            with self.subTest(signal=number, delay=delay):
                process = subprocess.Popen([TOOL, "animate", *LONG, "--frames", "out"],
                                           cwd=self.dir, env=self.env, stderr=subprocess.PIPE)
                time.sleep(delay * SLOWDOWN)
                # Under way, the name shows no part of the set.
                running = process.poll() is None
                self.assertFalse(running and (self.dir / "out").exists())
                hidden_seen |= running and any(path.name.startswith(".out.")
                                               for path in self.dir.iterdir())
                process.send_signal(number)
                process.communicate(timeout=120 * SLOWDOWN)
                listing = sorted(path.name for path in self.dir.iterdir())
                if process.returncode == 0:
                    self.assertEqual(listing, ["out", "tmp"])
                    self.assertEqual(len(self.frames()), 250 + 50)
                    self.skipTest("the machine made every frame before the signal")
                self.assertEqual((process.returncode, listing), (-number, ["tmp"]))
        self.assertTrue(hidden_seen, "no signal came while the frames were being made")

    def test_an_output_that_cannot_be_finished_leaves_nothing(self):
        # A file-size limit fails a write part way, as a full disk does.
        self.ok("generate", "-W", "40", "-H", "40", "--seed", "2", "-o", "maze.txt")
        before = self.listing()
        big = ("-W", "40", "-H", "40", "--seed", "2", "--cell", "8", "--duration", "1", "--fps",
               "5")
        for args, name in (
                (["animate", *big, "-o", "a.gif"], "a.gif"),
                (["animate", *big, "-o", "a.webp"], "a.webp"),
                (["animate", *big, "--frames", "out"], "out"),
                (["render", "maze.txt", "--cell", "20", "-o", "m.png"], "m.png"),
                (["render", "maze.txt", "-o", "m.svg"], "m.svg"),
                (["render", "maze.txt", "-o", "m.pdf"], "m.pdf"),
                (["book", "-n", "3", "--seed", "1", "-o", "b.pdf"], "b.pdf"),
                (["dataset", "-n", "50", "-o", "d.npz"], "d.npz"),
        ):
            with self.subTest(args=args):
                limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (2048, 2048))
                done = self.tool(*args, preexec_fn=limit, env=self.env)
                self.assertFailure(done, 1, f"{name}: I/O error 27 (File too large)")
                self.assertEqual(self.listing(), before)

    def test_progress_shows_on_a_terminal_only(self):
        if SLOWDOWN > 1:
            self.skipTest("an unoptimised sanitizer build takes minutes over work worth a line")
        line = lambda command: (rf"\A(seed \d+\r?\n)?(\rnitka-maze: {command}: \d{{1,2}}%)+"
                                r"\r\x1b\[K\Z")
        for args in (("animate", "-W", "120", "-H", "120", "--cell", "8", "--duration", "4",
                      "-o", "a.gif"), ("book", "-n", "60", "-W", "40", "-H", "40", "-o", "b.pdf"),
                     ("dataset", "-n", "2000", "-W", "100", "-H", "100", "--threads", "1", "-o",
                      "d.npz")):
            with self.subTest(args=args):
                shown = self.on_terminal(*args, streams=("stderr",), timeout=120).terminal
                self.assertRegex(shown.decode(), line(args[0]))
                quiet = self.on_terminal(*args, "--quiet", streams=("stderr",), timeout=120)
                self.assertEqual((quiet.returncode, quiet.terminal), (0, b""))


if __name__ == "__main__":
    unittest.main()
