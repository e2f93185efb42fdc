#!/usr/bin/env python3
"""check_links.py over a scratch tree: each row is one line of a Markdown
file in docs/, and whether it must be reported."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_links  # noqa: E402

TARGET = """# Guide

## The `/` separator, and more

## Steps
## Steps
"""

# (line in docs/page.md, reported?)
ROWS = [
    ("[guide](guide.md)", False),
    ("[guide](guide.md) and [gone](gone.md)", True),
    ("![shot](../shot.png)", False),
    ("![shot](shot.png)", True),
    ("[folder](../src)", False),
    ("[folder](../src/)", False),
    ("[up](../../outside.md)", True),
    ("[anchor](guide.md#guide)", False),
    ("[anchor](guide.md#the--separator-and-more)", False),
    ("[anchor](guide.md#the-separator-and-more)", True),
    ("[repeat](guide.md#steps-1)", False),
    ("[repeat](guide.md#steps-2)", True),
    ("[here](#page)", False),
    ("[here](#elsewhere)", True),
    ("[file with anchor](../shot.png#part)", False),
    ('[titled](guide.md "The guide")', False),
    ('[titled](gone.md "The guide")', True),
    ("[web](https://example.org/gone.md)", False),
    ("[mail](mailto:someone@example.org)", False),
    ("`[code](gone.md)`", False),
    ("[ref]: guide.md", False),
    ("[ref]: gone.md", True),
]


class CheckLinks(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.root = self.scratch.name
        os.makedirs(os.path.join(self.root, "docs"))
        os.makedirs(os.path.join(self.root, "src"))
        self.write("docs/guide.md", TARGET)
        self.write("shot.png", "")

    def tearDown(self):
        self.scratch.cleanup()

    def write(self, name, text):
        with open(os.path.join(self.root, name), "w", encoding="utf-8") as out:
            out.write(text)

    def test_rows(self):
        for line, reported in ROWS:
            with self.subTest(line=line):
                self.write("docs/page.md", f"# Page\n\n{line}\n")
                found = check_links.problems_in(os.path.join(self.root, "docs", "page.md"), self.root)
                self.assertEqual(bool(found), reported, found)

    def test_fenced_code_is_not_prose(self):
        self.write("docs/page.md", "```sh\n[code](gone.md)\n```\n~~~\n# not a heading\n~~~\n[back](#not-a-heading)\n")
        found = check_links.problems_in(os.path.join(self.root, "docs", "page.md"), self.root)
        self.assertEqual(found, [f"docs{os.sep}page.md:7: #not-a-heading: no heading makes the anchor #not-a-heading"])

    def test_the_whole_tree_and_its_exit_status(self):
        self.write("README.md", "[docs](docs/guide.md#steps)\n")
        self.write("docs/page.md", "[fine](guide.md)\n")
        os.makedirs(os.path.join(self.root, "build"))
        self.write("build/ignored.md", "[gone](gone.md)\n")
        self.assertEqual([os.path.relpath(p, self.root) for p in check_links.markdown_files(self.root)],
                         ["README.md", os.path.join("docs", "guide.md"), os.path.join("docs", "page.md")])
        sys.argv = ["check_links.py", "--root", self.root]
        self.assertEqual(check_links.main(), 0)
        self.write("docs/page.md", "[gone](gone.md)\n")
        self.assertEqual(check_links.main(), 1)


if __name__ == "__main__":
    unittest.main()
