"""One plan for every request: the same mistake gets the same answer from every
command, and what the sizes alone tell is told before any work."""

import shlex

from tool_case import SLOWDOWN, ToolCase

# The options that make a carved maze, as generate, animate and book take them.
CARVERS = (["generate", "-o", "out.txt"], ["animate", "-o", "out.gif"], ["book", "-o", "out.pdf"])


class PlanTest(ToolCase):
    def answers(self, commands, *args):
        """The status and the whole line of each command given args, and that
        it left nothing behind."""
        seen = set()
        for command in commands:
            done = self.tool(*command, *args, timeout=20)
            self.assertFailure(done, done.returncode)
            seen.add((done.returncode, done.stderr.decode()))
            self.assertFalse([name for name in self.listing() if name.startswith("out")],
                             command)
        return seen

    def test_a_mistake_in_the_maze_gets_one_answer_from_every_command_that_carves(self):
        rows = (
            (["--shape", "hex", "--algorithm", "eller"], 2,
             "--algorithm: eller works on a plain rectangle only; on a hex use depth-first, "
             "prim, kruskal, wilson, aldous-broder, hunt-and-kill, growing-tree"),
            (["--shape", "polar", "-W", "5"], 2,
             "--width: a polar maze has no width: its rings, -H, decide its cells"),
            (["--shape", "square"], 2, "--shape: 'square' is none of rect, hex, triangle, polar"),
            (["--algorithm", "Prim"], 2, None),
            (["-W", "0"], 2, "--width: '0' is not a whole number from 1 to 1000000"),
            (["--seed", "x"], 2, None),
            (["-W", "1000000", "-H", "1000000"], 1, None),
            (["--shape", "triangle", "-W", "1", "-H", "3"], 1,
             "a 1 x 3 triangle layout: its cells fall in 2 separate parts (cells meeting only "
             "at a corner are apart), one holding each of 0,0; 0,2"),
            # Far too small to print: the book refuses it for its paper first.
            (["--algorithm", "aldous-broder", "-W", "20000", "-H", "20000"], 1, None,
             CARVERS[:2]),
        )
        for args, status, line, *commands in rows:
            commands = commands[0] if commands else CARVERS
            with self.subTest(args=args):
                seen = self.answers(commands, *args)
                self.assertEqual(len(seen), 1, seen)
                self.assertEqual(next(iter(seen))[0], status)
                if line:
                    self.assertEqual(seen, {(status, f"nitka-maze: {line}\n")})

    def test_what_the_sizes_tell_is_told_at_once_in_little_memory(self):
        if SLOWDOWN > 1:
            self.skipTest("the sanitizers reserve far more address space than any limit here")
        rows = (
            (["book", "-W", "30000", "-H", "30000", "-n", "1", "-o", "out.pdf"], 2, "--width"),
            (["animate", "-W", "100000", "-H", "10", "-o", "out.gif"], 2, "--width"),
            (["animate", "-W", "3000", "-H", "10", "--cell", "8", "-o", "out.webp"], 2, "--cell"),
            (["animate", "-W", "100000", "-H", "100000", "-o", "out.gif"], 2, "--width"),
            (["generate", "-W", "100000", "-H", "100000", "-o", "out.txt"], 1, None),
        )
        for args, status, subject in rows:
            with self.subTest(args=args):
                # A hundred megabytes of address space: the refusal must not
                # even try to take what the size would need, nor carve first
                # (the time it takes is in docs/performance.md, not asserted).
                done = self.shell('ulimit -v 100000; exec "$TOOL" ' + shlex.join(args), timeout=20)
                self.assertFailure(done, status)
                if subject:
                    self.assertTrue(done.stderr.decode().startswith(f"nitka-maze: {subject}: "),
                                    done.stderr.decode())
                self.assertFalse([name for name in self.listing() if name.startswith("out")])
