"""nitka-maze dataset as a user runs it: the file NumPy reads, the same bytes
from any number of threads, refusals, and no file left by a failure."""

import io
import json
import signal
import subprocess
import time
import unittest
import zipfile

from tool_case import TOOL, SLOWDOWN, ToolCase

try:
    import numpy
except ImportError:  # the tool's tests need no NumPy; the package's do
    numpy = None


class DatasetTest(ToolCase):
    def listing(self):
        return sorted(path.name for path in self.dir.iterdir())

    def test_the_same_options_write_the_same_npz_from_any_threads(self):
        args = ("dataset", "-n", "300", "-W", "9", "-H", "7", "--seed", "4", "--unique",
                "--difficulty", "5:40")
        one = self.tool(*args, "--threads", "1", "-o", "one.npz")
        self.assertEqual((one.returncode, one.stderr), (0, b""))
        piped = self.tool(*args, "--threads", "2")
        self.assertEqual(piped.stdout, (self.dir / "one.npz").read_bytes())
        archive = zipfile.ZipFile(io.BytesIO(piped.stdout))
        self.assertIsNone(archive.testzip())
        self.assertEqual(sorted(archive.namelist()), sorted(
            name + ".npy" for name in ("seeds", "grids", "passages", "passage_offsets", "starts",
                                       "targets", "route_lengths", "difficulty", "options")))
        if numpy is None:
            self.skipTest("NumPy reads the arrays")
        with numpy.load(self.dir / "one.npz", allow_pickle=False) as saved:
            self.assertEqual(saved["grids"].shape, (300, 15, 19))
            self.assertTrue(((saved["difficulty"] >= 5) & (saved["difficulty"] <= 40)).all())
            options = json.loads(str(saved["options"]))
            first = int(saved["seeds"][0])
        self.assertEqual(options["tries"] >= 300, True)
        maze = self.tool("generate", "-W", "9", "-H", "7", "--seed", first)
        self.assertIn(b"difficulty", self.tool("info", "-", stdin=maze.stdout).stdout)

    def test_mistakes_are_told_before_any_work(self):
        for args, status, words in (
                (["-n", "0"], 2, "--count: '0' is not a whole number from 1 to 1000000000"),
                (["--difficulty", "easy"], 2, "--difficulty: 'easy' is not scores LO:HI"),
                (["--difficulty", "9:1"], 2, "--difficulty: the scores LO:HI need 0 <= LO <= HI"),
                (["--threads", "0"], 2, "--threads: '0' is not a whole number from 1 to 1024"),
                (["--shape", "hex", "--algorithm", "sidewinder"], 2, "--algorithm: sidewinder"),
                (["-W", "60000", "-H", "60000"], 2, "at most 2,147,483,647 cells"),
                (["-n", "1000000000", "-W", "200"], 1, "1,000,000,000 mazes of 200 x 15 cells need"),
                (["-o", "maze.txt"], 2, "maze.txt: a dataset is a NumPy .npz file; name it FILE.npz"),
        ):
            with self.subTest(args=args):
                output = [] if "-o" in args else ["-o", "d.npz"]
                done = self.tool("dataset", *args, *output)
                self.assertEqual(done.returncode, status, done.stderr)
                self.assertIn(words, done.stderr.decode())
                self.assertEqual(self.listing(), [])

    def test_standard_output_on_a_terminal_is_refused(self):
        done = self.on_terminal("dataset", "-n", "2", streams=("stdout",))
        self.assertEqual(done.returncode, 2)
        self.assertIn(b"a NumPy .npz would garble the terminal", done.stderr)
        self.assertEqual(done.terminal, b"")

    def test_filters_too_rare_leave_the_old_file_whole(self):
        (self.dir / "d.npz").write_bytes(b"old")
        done = self.tool("dataset", "-n", "5", "-W", "2", "-H", "2", "--unique", "-o", "d.npz")
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.stderr.decode(), "nitka-maze: --unique: only 4 of 1500 mazes tried "
                         "differed from the others; ask for fewer, or widen the filters\n")
        self.assertEqual(((self.dir / "d.npz").read_bytes(), self.listing()), (b"old", ["d.npz"]))

    def test_an_interrupt_leaves_no_file(self):
        for delay in (0.3, 2.0):
            with self.subTest(delay=delay):
                # A band no maze reaches: a long search that holds little memory.
                process = subprocess.Popen([TOOL, "dataset", "-n", "100000", "--difficulty",
                                            "1000000:1000001", "-o", "d.npz"],
                                           cwd=self.dir, stderr=subprocess.PIPE)
                time.sleep(delay * SLOWDOWN)
                process.send_signal(signal.SIGINT)
                process.communicate(timeout=120 * SLOWDOWN)
                if process.returncode == 0:
                    self.skipTest("the machine wrote the dataset before the signal")
                self.assertEqual((process.returncode, self.listing()), (-signal.SIGINT, []))


if __name__ == "__main__":
    unittest.main()
