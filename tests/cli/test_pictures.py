"""nitka-maze's pictures as a user looks at them: PDFs that are the same bytes
every run, book titles and captions that fit their page, warnings for what the
font cannot draw, and a rectangle's PNG that keeps its crisp walls with marks."""

import os
import re
import shutil
import subprocess
import unittest

from tool_case import SLOWDOWN, TOOL, ToolCase

CREATED = re.compile(rb"/CreationDate \((?:D:)?(\d{14}Z)\)")
POPPLER = shutil.which("pdftotext") is not None


def words(pdf_path):
    """Pages of words as (xMin, yMin, xMax, yMax, text), read by pdftotext, with
    each page's width and height."""
    html = subprocess.run(["pdftotext", "-bbox", str(pdf_path), "-"], check=True,
                          capture_output=True).stdout.decode()
    pages = []
    for page in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', html, re.S):
        found = [(float(a), float(b), float(c), float(d), text) for a, b, c, d, text in
                 re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" '
                            r'yMax="([\d.]+)">(.*?)</word>', page.group(3))]
        pages.append((float(page.group(1)), float(page.group(2)), found))
    return pages


class PdfDateTest(ToolCase):
    """The same command writes the same PDF; its date is SOURCE_DATE_EPOCH's or none."""

    COMMANDS = (
        ("render", ["render", "maze.txt", "-o", "out.pdf", "--answer"]),
        ("render triangle", ["render", "tri.txt", "-o", "out.pdf", "--route"]),
        ("book", ["book", "-n", "3", "--seed", "5", "--title", "Rainy day", "-o", "out.pdf"]),
    )

    def setUp(self):
        super().setUp()
        self.ok("generate", "-W", "8", "-H", "6", "--seed", "3", "-o", "maze.txt")
        self.ok("generate", "--shape", "triangle", "-W", "8", "-H", "6", "--seed", "3",
                "-o", "tri.txt")

    def run_with(self, args, epoch):
        env = dict(os.environ)
        env.pop("SOURCE_DATE_EPOCH", None)
        if epoch is not None:
            env["SOURCE_DATE_EPOCH"] = epoch
        self.ok(*args, env=env)
        return (self.dir / "out.pdf").read_bytes()

    def test_same_bytes_and_the_asked_date(self):
        for label, args in self.COMMANDS:
            for epoch, date in ((None, None), ("", None), ("0", b"19700101000000Z"),
                                ("1700000000", b"20231114221320Z")):
                with self.subTest(label, epoch=epoch):
                    first = self.run_with(args, epoch)
                    self.assertEqual(first, self.run_with(args, epoch))
                    found = CREATED.search(first)
                    self.assertEqual(found and found.group(1), date)
                    self.assertNotIn(b"/ModDate", first)

    def test_an_unusable_date_is_refused(self):
        for value in ("yesterday", "-1", "1.5", " 7", "253402300800", "99999999999999999999"):
            for label, args in self.COMMANDS:
                with self.subTest(label, value=value):
                    env = dict(os.environ, SOURCE_DATE_EPOCH=value)
                    done = self.tool(*args, env=env)
                    self.assertFailure(done, 2)
                    self.assertTrue(done.stderr.startswith(b"nitka-maze: SOURCE_DATE_EPOCH: "))
                    self.assertFalse((self.dir / "out.pdf").exists())
        # Only a PDF has a date to take.
        env = dict(os.environ, SOURCE_DATE_EPOCH="yesterday")
        self.ok("render", "maze.txt", "-o", "out.png", env=env)


class BookTextTest(ToolCase):
    """Titles of any length and bytes fit the page; missing glyphs are named."""

    def book(self, title, *more):
        return self.tool("book", "-n", "4", "--seed", "9", "--title", title, "-o", "book.pdf",
                         *more)

    def test_long_titles_stay_on_the_page(self):
        long_words = ("A rainy day " * 30)[:300]
        for title in (long_words, "W" * 300, "M" * 3000):
            with self.subTest(title=title[:20]):
                done = self.book(title)
                self.assertEqual((done.returncode, done.stderr), (0, b""))
                if not POPPLER:
                    continue
                for width, height, found in words(self.dir / "book.pdf"):
                    for x_min, y_min, x_max, y_max, text in found:
                        self.assertGreaterEqual(x_min, 0, text)
                        self.assertLessEqual(x_max, width - 40, text)
                        self.assertLessEqual(y_max, height, text)

    def test_characters_no_font_draws_are_named_once(self):
        done = self.book("Middle \u4e2d and \u4e2d \uE000")
        self.assertEqual(done.returncode, 0)
        self.assertEqual(done.stderr.decode(),
                         "nitka-maze: warning: --title: the PDF's font cannot draw U+4E2D, "
                         "U+E000 (printed as empty boxes)\n")
        self.assertEqual(self.book("caf\u00e9 & co").stderr, b"")

    def test_malformed_title_bytes_never_break_the_book(self):
        done = subprocess.run([TOOL, "book", "-n", "2", "--seed", "1", "--title",
                               b"bad \xff\xfe bytes", "-o", "book.pdf"], cwd=self.dir,
                              capture_output=True, timeout=60 * SLOWDOWN)
        # A usage error is as sound as a whole book; a broken PDF is not.
        self.assertIn(done.returncode, (0, 2), done.stderr)
        if done.returncode == 0:
            pdf = (self.dir / "book.pdf").read_bytes()
            self.assertTrue(pdf.endswith(b"%%EOF\n"))
            if POPPLER:
                self.assertTrue(any(found for _, _, found in words(self.dir / "book.pdf")))

    @unittest.skipUnless(POPPLER, "needs pdftotext")
    def test_captions_on_a_page_are_one_size(self):
        for per_page in ("2", "4"):
            with self.subTest(per_page=per_page):
                done = self.tool("book", "-n", "8", "--per-page", per_page, "--difficulty",
                                 "rising", "--seed", "4", "-o", "book.pdf")
                self.assertEqual(done.returncode, 0, done.stderr)
                for _, _, found in words(self.dir / "book.pdf"):
                    # Small print: the words of the seed and generate lines.
                    heights = {round(y_max - y_min, 2) for _, y_min, _, y_max, text in found
                               if y_max - y_min < 9}
                    self.assertLessEqual(len(heights), 1, heights)


class RectanglePngTest(ToolCase):
    """A rectangle's PNG stays the window's one-bit picture with marks and moved exits."""

    def test_marks_keep_one_bit_walls(self):
        self.ok("generate", "-W", "7", "-H", "5", "--seed", "2", "-o", "plain.txt")
        self.ok("generate", "-W", "7", "-H", "5", "--seed", "2", "--exits", "farthest",
                "-o", "moved.txt")
        for maze in ("plain.txt", "moved.txt"):
            for marks in ("none", "openings", "letters"):
                with self.subTest(maze, marks=marks):
                    self.ok("render", maze, "-o", "out.png", "--marks", marks, "--route")
                    png = (self.dir / "out.png").read_bytes()
                    self.assertEqual(png[24], 1, "bit depth")


if __name__ == "__main__":
    unittest.main()
