"""Runs nitka-maze as a user does: a process with arguments, files and pipes."""

import os
import pathlib
import subprocess
import tempfile
import threading
import unittest

TOOL = os.environ.get("NITKA_MAZE_EXE", "nitka-maze")
# Sanitizer builds run several times slower.
SLOWDOWN = int(os.environ.get("NITKA_E2E_SLOWDOWN", "1"))


def maze_file_text(width, height, flags):
    """The maze file for flags, a list of (top, left) row by row."""
    lines = [f"{width}  {height}"] + [f"{top}  {left}" for top, left in flags]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def maze_from_picture(picture):
    """The maze file of a maze drawn as nitka-maze render draws ASCII: '+' at
    the corners, '---' for a wall along a cell's top, '|' for one at its left."""
    rows = picture.strip("\n").splitlines()
    width, height = (len(rows[0]) - 1) // 4, (len(rows) - 1) // 2
    flags = []
    for y in range(height):
        for x in range(width):
            top = 1 if rows[2 * y][4 * x + 1] == "-" else 0
            left = 1 if rows[2 * y + 1][4 * x] == "|" else 0
            flags.append((top, left))
    return maze_file_text(width, height, flags)


class ToolCase(unittest.TestCase):
    """Each test in a directory of its own, where it runs the tool."""

    def setUp(self):
        self.dir = pathlib.Path(self.enterContext(tempfile.TemporaryDirectory(prefix="nitka-maze-")))

    def tool(self, *args, stdin=b"", stdout=subprocess.PIPE, timeout=60, **options):
        return subprocess.run([TOOL, *map(str, args)], input=stdin, stdout=stdout,
                              stderr=subprocess.PIPE, cwd=self.dir, timeout=timeout * SLOWDOWN,
                              **options)

    def shell(self, script, timeout=60):
        """Runs script under bash in the test's folder, with $TOOL the tool."""
        return subprocess.run(["bash", "-c", script], capture_output=True, cwd=self.dir,
                              timeout=timeout * SLOWDOWN, env={**os.environ, "TOOL": TOOL})

    def on_terminal(self, *args, streams, timeout=60, **options):
        """Runs the tool with the named standard streams ("stdin", "stdout",
        "stderr") on one pseudo-terminal and the others on pipes (stdin empty).
        Returns the finished process; its `terminal` holds what the tool wrote
        to the terminal."""
        master, slave = os.openpty()
        shown = bytearray()

        def drain():
            while True:
                try:
                    chunk = os.read(master, 65536)
                except OSError:  # EIO: every writer closed
                    return
                if not chunk:
                    return
                shown.extend(chunk)

        reader = threading.Thread(target=drain)
        reader.start()
        ends = {name: slave if name in streams else subprocess.PIPE
                for name in ("stdin", "stdout", "stderr")}
        try:
            process = subprocess.Popen([TOOL, *map(str, args)], cwd=self.dir, **ends, **options)
        finally:
            os.close(slave)
        try:
            stdout, stderr = process.communicate(timeout=timeout * SLOWDOWN)
        finally:
            process.kill()
            reader.join(timeout=10)
            os.close(master)
        done = subprocess.CompletedProcess(args, process.returncode, stdout or b"", stderr or b"")
        done.terminal = bytes(shown)
        return done

    def ok(self, *args, **options):
        """Runs the tool and returns its output, which must be a success: status 0
        and nothing on stderr."""
        done = self.tool(*args, **options)
        self.assertEqual((done.returncode, done.stderr.decode()), (0, ""), args)
        return done.stdout

    def assertFailure(self, done, status, line=None):
        """A failure: the status, no data, and one line on stderr in the tool's
        form, equal to line when given."""
        text = done.stderr.decode()
        self.assertEqual(done.returncode, status, text)
        self.assertEqual(done.stdout, b"")
        self.assertRegex(text, r"\Anitka-maze: [^\n]+\n\Z")
        if line is not None:
            self.assertEqual(text, f"nitka-maze: {line}\n")

    def write(self, name, data):
        path = self.dir / name
        path.write_bytes(data)
        return path

    def listing(self):
        return sorted(str(path.relative_to(self.dir)) for path in self.dir.rglob("*"))
