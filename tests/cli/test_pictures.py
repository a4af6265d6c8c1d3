"""nitka-maze's books as a user looks at them: titles and captions that fit
their page, and warnings for what the font cannot draw. (PDF dates are in
test_same_bytes.py; marks and route dots, checked by pixels, in
tests/render/picture_marks_test.cpp.)"""

import re
import shutil
import subprocess
import unittest

from tool_case import ToolCase

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


if __name__ == "__main__":
    unittest.main()
