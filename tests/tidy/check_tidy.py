#!/usr/bin/env python3
"""clang-tidy over naming/, placement/, runtime/, platform/, simulation/ and testhost/, with no finding allowed.

Runs the release's clang-tidy (14 on Debian 12, 19 on Debian 13) with the
project's .clang-tidy over every source file of those folders that the
given builds compile (from each build's compile_commands.json: the native
one over the simulated window manager, the MSVC-ABI ones over <windows.h>),
and over the Win32-only headers that no build compiles on their own, for
32-bit and 64-bit mingw-w64. Findings in the folders' headers count wherever
they are included from. Fails on any finding (the configuration makes every
one an error), and on a source file of the folders that no build compiles.

Usage: check_tidy.py --build DIR [--build DIR...] [--windows-header FILE...]
"""

import argparse
import concurrent.futures
import glob
import json
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FOLDERS = ("naming", "placement", "runtime", "platform", "simulation", "testhost")
MINGW_TARGETS = ("i686-w64-mingw32", "x86_64-w64-mingw32")


def clang_tidy():
    path = shutil.which("clang-tidy")
    if not path:
        sys.exit("check_tidy: clang-tidy not found (Debian's clang-tidy)")
    return path


def in_folders(path):
    return os.path.relpath(path, ROOT).split(os.sep)[0] in FOLDERS


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", action="append", default=[], help="a build folder with compile_commands.json")
    parser.add_argument("--windows-header", action="append", default=[],
                        help="a Win32-only header of the folders, checked on its own")
    args = parser.parse_args()

    tidy = clang_tidy()
    header_filter = "--header-filter=^" + re.escape(ROOT + os.sep) + "(" + "|".join(FOLDERS) + ")/"
    runs = []  # (what, command)
    compiled = set()
    for build in args.build:
        build = os.path.abspath(build)
        with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as database:
            entries = json.load(database)
        for entry in entries:
            source = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
            if in_folders(source):
                compiled.add(os.path.relpath(source, ROOT))
                runs.append((f"{os.path.relpath(source, ROOT)} ({os.path.relpath(build, ROOT)})",
                             [tidy, "--quiet", header_filter, "-p", build, source]))
    for header in args.windows_header:
        for target in MINGW_TARGETS:
            runs.append((f"{header} ({target})",
                         [tidy, "--quiet", header_filter, os.path.join(ROOT, header), "--",
                          "-x", "c++", "-std=c++17", "--target=" + target, "-I" + ROOT]))

    failed = []
    for folder in FOLDERS:
        for source in sorted(glob.glob(os.path.join(ROOT, folder, "**", "*.cpp"), recursive=True)):
            if os.path.relpath(source, ROOT) not in compiled:
                failed.append(f"{os.path.relpath(source, ROOT)}: no build given compiles it")

    def run(item):
        what, command = item
        result = subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        # What clang-tidy found and hid in system headers is only counted.
        output = "\n".join(line for line in result.stdout.splitlines()
                           if not re.fullmatch(r"\d+ warnings? (and \d+ errors? )?generated\.", line))
        return what, result.returncode, output

    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for what, status, output in pool.map(run, runs):
            if status != 0 or re.search(r"(warning|error):", output):
                failed.append(f"{what}:\n{output}")
    if failed:
        print("\n".join(failed), file=sys.stderr)
        sys.exit(1)
    files = sorted({what.split(" ")[0] for what, _ in runs})
    print(f"no findings in {len(runs)} runs over {len(files)} files: " + " ".join(files))


if __name__ == "__main__":
    main()
