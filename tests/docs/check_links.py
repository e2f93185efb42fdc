#!/usr/bin/env python3
"""Checks that every relative link and image in the project's Markdown files
resolves: the file or folder exists, and a #fragment names a heading of the
Markdown file it points into (as GitHub makes anchors of headings).

Links in code blocks and code spans are not links; links with a scheme
(https:, mailto:) are not checked. docs/kit/README.md.in becomes the kit's
README.md, at the root of the archive: its links are relative to the kit,
not to this tree, and tests/kit/check_archive.py checks them against the
archive's members.

Usage: check_links.py [--root DIR]   (default: this repository)
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SKIPPED_FOLDERS = {"build", ".git", "node_modules"}
# Markdown that lives elsewhere once installed.
ELSEWHERE = {os.path.join("docs", "kit", "README.md.in")}

FENCE = re.compile(r"^ {0,3}(```|~~~)")
CODE_SPAN = re.compile(r"(`+).*?\1")
INLINE = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]*)>?(?:\s+\"[^\"]*\")?\s*\)")
REFERENCE = re.compile(r"^ {0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s+\"[^\"]*\")?\s*$")
HEADING = re.compile(r"^ {0,3}#{1,6}\s+(.*?)\s*#*\s*$")
SCHEME = re.compile(r"^[a-zA-Z][a-zA-Z0-9+.-]*:")


def prose_lines(text, blank_code=True):
    """(line number, line) outside fenced code blocks, code spans blanked
    unless told otherwise."""
    fence = None
    for number, line in enumerate(text.splitlines(), 1):
        opening = FENCE.match(line)
        if fence:
            if opening and opening.group(1) == fence:
                fence = None
            continue
        if opening:
            fence = opening.group(1)
            continue
        yield number, CODE_SPAN.sub(lambda m: " " * len(m.group(0)), line) if blank_code else line


def links(text):
    """(line number, target) of every inline link, image and reference definition."""
    for number, line in prose_lines(text):
        for match in INLINE.finditer(line):
            yield number, match.group(1)
        match = REFERENCE.match(line)
        if match:
            yield number, match.group(1)


def slug(heading):
    """GitHub's anchor for a heading: lower case, punctuation dropped, spaces as hyphens."""
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", heading)
    text = re.sub(r"[^\w\- ]", "", text.lower())
    return text.replace(" ", "-")


def anchors(text):
    """The anchors GitHub gives the headings of a Markdown text; repeats get -1, -2..."""
    seen = {}
    result = set()
    for _, line in prose_lines(text, blank_code=False):
        match = HEADING.match(line)
        if not match:
            continue
        base = slug(match.group(1))
        count = seen.get(base, 0)
        seen[base] = count + 1
        result.add(base if count == 0 else f"{base}-{count}")
    return result


def read(path):
    with open(path, encoding="utf-8") as source:
        return source.read()


def problems_in(path, root):
    """What does not resolve among the links of the Markdown file at `path`."""
    text = read(path)
    where = os.path.relpath(path, root)
    problems = []
    for number, target in links(text):
        if not target or SCHEME.match(target):
            continue
        file_part, _, fragment = target.partition("#")
        resolved = os.path.normpath(os.path.join(os.path.dirname(path), file_part)) if file_part else path
        if os.path.relpath(resolved, root).startswith(os.pardir):
            problems.append(f"{where}:{number}: {target}: outside the repository")
        elif not os.path.exists(resolved):
            problems.append(f"{where}:{number}: {target}: no such file or folder")
        elif fragment and resolved.endswith(".md") and fragment not in anchors(read(resolved)):
            problems.append(f"{where}:{number}: {target}: no heading makes the anchor #{fragment}")
    return problems


def markdown_files(root):
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(s for s in subfolders if s not in SKIPPED_FOLDERS
                               and not (folder == root and s.startswith(".") and s != ".github"))
        for name in sorted(files):
            path = os.path.join(folder, name)
            if (name.endswith(".md") or name.endswith(".md.in")) and os.path.relpath(path, root) not in ELSEWHERE:
                found.append(path)
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", default=ROOT)
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    files = markdown_files(root)
    problems = [problem for path in files for problem in problems_in(path, root)]
    for problem in problems:
        print(problem, file=sys.stderr)
    count = sum(1 for path in files for _ in links(read(path)))
    print(f"check_links: {len(files)} Markdown files, {count} links, {len(problems)} that do not resolve")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
