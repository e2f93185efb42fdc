#!/usr/bin/env python3
"""The release notes of one version, and the check that the version is
written the same everywhere it is read.

The version is written once, in CMakeLists.txt's project(VERSION); the
changelog's newest release must be that version, and so must the tag a
release is made from. With --tag, fails unless the tag is v<version>;
either way, fails unless CHANGELOG.md's newest release is the CMake
version. Writes that release's section of the changelog, without its
heading, and a closing line naming the system the kit was built on (from
/etc/os-release), to --output or standard output.

  scripts/release_notes.py [--tag v1.2.3] [--output FILE]
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROJECT_VERSION = re.compile(r"^\s*project\(\s*PositionWindow\s+VERSION\s+(\d+\.\d+\.\d+)\b", re.M | re.I)
# Keep a Changelog: "## [1.2.3] - 2026-12-08"; "## [Unreleased]" is no release.
RELEASE_HEADING = re.compile(r"^## \[(\d+\.\d+\.\d+)\] - (\d{4}-\d{2}-\d{2})\s*$", re.M)


def cmake_version(root=ROOT):
    with open(os.path.join(root, "CMakeLists.txt"), encoding="utf-8") as f:
        match = PROJECT_VERSION.search(f.read())
    if not match:
        raise ValueError("CMakeLists.txt has no project(PositionWindow VERSION x.y.z)")
    return match.group(1)


def releases(changelog):
    """(version, date, section body) of each release, newest first, as the
    changelog lists them."""
    headings = list(RELEASE_HEADING.finditer(changelog))
    found = []
    for heading in headings:
        # A section runs to the next heading of its level or above.
        end = re.compile(r"^#{1,2} ", re.M).search(changelog, heading.end())
        body = changelog[heading.end():end.start() if end else len(changelog)]
        found.append((heading.group(1), heading.group(2), body.strip("\n")))
    return found


def newest_release(root=ROOT):
    with open(os.path.join(root, "CHANGELOG.md"), encoding="utf-8") as f:
        found = releases(f.read())
    if not found:
        raise ValueError("CHANGELOG.md lists no release (## [x.y.z] - YYYY-MM-DD)")
    return found[0]


def built_on(os_release="/etc/os-release"):
    try:
        with open(os_release, encoding="utf-8") as f:
            match = re.search(r'^PRETTY_NAME="?([^"\n]*)"?$', f.read(), re.M)
    except OSError:
        match = None
    return match.group(1) if match else "an unnamed system"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tag", help="the tag the release is made from, v<version>")
    parser.add_argument("--output", help="file to write the notes to (default: standard output)")
    args = parser.parse_args()

    problems = []
    version = cmake_version()
    newest, date, body = newest_release()
    if newest != version:
        problems.append(f"CHANGELOG.md's newest release is {newest}, CMakeLists.txt's version {version}")
    if args.tag is not None and args.tag != f"v{version}":
        problems.append(f"the tag is {args.tag}, but CMakeLists.txt's version is {version}: tag v{version}")
    for problem in problems:
        print(f"FAIL: {problem}", file=sys.stderr)
    if problems:
        return 1

    notes = (f"{body}\n\nReleased {date}. The kit (PositionWindow-{version}-devel.zip) was built by "
             f"./scripts/package on {built_on()}; SHA256SUMS holds its digest.\n")
    if args.output:
        os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
        with open(args.output, "w", encoding="utf-8") as f:
            f.write(notes)
    else:
        sys.stdout.write(notes)
    return 0


if __name__ == "__main__":
    sys.exit(main())
