#!/usr/bin/env python3
"""Line and branch coverage of naming/, placement/ and runtime/ by the native tests.

Runs the native test program of a build instrumented with clang's
source-based coverage (-fprofile-instr-generate -fcoverage-mapping), prints
each file's line and branch coverage, and fails unless every line of those
folders ran or is listed in the exclusions, and the branches taken reach the
floor. An exclusion names a file, the function and the line as it reads, so
that it survives lines moving; each excuses one uncovered line, and one that
excuses none (the line now runs, or changed) fails too, so that the list
never outgrows what it is for.

Usage: check_coverage.py --build DIR [--exclusions FILE] [--branch-floor PERCENT]
"""

import argparse
import glob
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FOLDERS = ("naming", "placement", "runtime")


def tool(name, build):
    """The LLVM tool of the compiler that built BUILD: the profile format
    changes between versions. Debian keeps each version's tools, unversioned,
    in the folder its clang++ lives in (/usr/lib/llvm-19/bin)."""
    compiler = None
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            if line.startswith("CMAKE_CXX_COMPILER:"):
                compiler = line.split("=", 1)[1].strip()
    candidates = []
    if compiler:
        candidates.append(os.path.join(os.path.dirname(os.path.realpath(compiler)), name))
    candidates.append(shutil.which(name))
    for path in candidates:
        if path and os.access(path, os.X_OK):
            return path
    sys.exit(f"check_coverage: {name} not found beside {compiler} nor on the PATH (Debian's llvm)")


def run(command, **kwargs):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, text=True, **kwargs).stdout


class FileCoverage:
    def __init__(self, path):
        self.path = path  # relative to ROOT
        self.lines = {}  # line -> count
        self.branches = []  # (line, count or None when never reached), one per instantiation
        self.functions = []  # (first line, name)
        # As llvm-cov report counts them: LF, LH, BRF, BRH.
        self.summary = {}

    def function_at(self, line):
        best = (0, "")
        for start, name in self.functions:
            if best[0] < start <= line:
                best = (start, name)
        return best[1]


def read_lcov(text):
    files = []
    current = None
    for record in text.splitlines():
        key, _, value = record.partition(":")
        if key == "SF":
            current = FileCoverage(os.path.relpath(value, ROOT))
            files.append(current)
        elif key == "DA":
            line, count = value.split(",")[:2]
            current.lines[int(line)] = int(count)
        elif key == "BRDA":
            line, _block, _branch, count = value.split(",")
            current.branches.append((int(line), None if count == "-" else int(count)))
        elif key == "FN":
            line, name = value.split(",", 1)
            current.functions.append((int(line), name))
        elif key in ("LF", "LH", "BRF", "BRH"):
            current.summary[key] = int(value)
    return files


def plain_names(files, build):
    """Gives each function its plain name: MoveTarget, NarrowString::NarrowString."""
    mangled = sorted({name for f in files for _, name in f.functions})
    # Functions of internal linkage come as FILE:MANGLED.
    demangled = run([tool("llvm-cxxfilt", build)], input="\n".join(n.rpartition(":")[2] for n in mangled) + "\n")
    plain = {}
    for name, readable in zip(mangled, demangled.splitlines()):
        readable = readable.replace("(anonymous namespace)::", "")
        plain[name] = readable.split("(", 1)[0]
    for f in files:
        f.functions = [(line, plain[name]) for line, name in f.functions]


def read_exclusions(path):
    entries = []
    with open(path, encoding="utf-8") as lines:
        for number, text in enumerate(lines, 1):
            text = text.strip()
            if not text or text.startswith("#"):
                continue
            fields = [field.strip() for field in text.split(" | ")]
            if len(fields) != 4 or not all(fields):
                sys.exit(f"{path}:{number}: expected FILE | FUNCTION | LINE | REASON, or FILE | * | * | REASON")
            entries.append({"where": f"{os.path.relpath(path, ROOT)}:{number}", "file": fields[0],
                             "function": fields[1], "code": fields[2], "used": False})
    return entries


def percent(hit, total):
    return 100.0 * hit / total if total else 100.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the coverage build folder")
    parser.add_argument("--exclusions", default=os.path.join(ROOT, "tests", "coverage", "exclusions"))
    parser.add_argument("--branch-floor", type=float, default=95.0)
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    program = os.path.join(build, "tests", "native_tests")
    data = os.path.join(build, "coverage-data")
    shutil.rmtree(data, ignore_errors=True)
    os.makedirs(data)
    environment = dict(os.environ, LLVM_PROFILE_FILE=os.path.join(data, "native-%p.profraw"))
    tests = subprocess.run([program, "--gtest_brief=1"], env=environment, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True)
    if tests.returncode != 0:
        print(tests.stdout)
        sys.exit("check_coverage: the native tests failed in the coverage build")
    profile = os.path.join(data, "native.profdata")
    run([tool("llvm-profdata", build), "merge", "-sparse", "-o", profile] + glob.glob(os.path.join(data, "*.profraw")))
    lcov = run([tool("llvm-cov", build), "export", "-format=lcov", program, "-instr-profile=" + profile]
               + [os.path.join(ROOT, folder) for folder in FOLDERS])
    files = sorted(read_lcov(lcov), key=lambda f: f.path)
    plain_names(files, build)
    entries = read_exclusions(args.exclusions)

    failures = []
    # Every source file of the folders is measured, or listed whole.
    measured = {f.path for f in files}
    whole = {e["file"]: e for e in entries if e["function"] == "*"}
    for folder in FOLDERS:
        for source in sorted(glob.glob(os.path.join(ROOT, folder, "**", "*.cpp"), recursive=True)):
            source = os.path.relpath(source, ROOT)
            if source in whole:
                whole[source]["used"] = source not in measured
            elif source not in measured:
                failures.append(f"{source}: not run by the native tests, and not listed")

    width = max(len(f.path) for f in files)
    print(f"{'file':<{width}}  {'lines':>18}  {'branches':>18}")
    total = [0, 0, 0, 0]
    listed = 0
    for f in files:
        with open(os.path.join(ROOT, f.path), encoding="utf-8", errors="replace") as source:
            text = source.read().splitlines()
        counts = tuple(f.summary.get(key, 0) for key in ("LH", "LF", "BRH", "BRF"))
        total = [a + b for a, b in zip(total, counts)]
        print(f"{f.path:<{width}}  {counts[0]:>4}/{counts[1]:<4} {percent(*counts[:2]):6.2f} %"
              f"  {counts[2]:>4}/{counts[3]:<4} {percent(*counts[2:]):6.2f} %")
        for line in sorted(n for n, count in f.lines.items() if not count):
            code = text[line - 1].strip() if line <= len(text) else ""
            function = f.function_at(line)
            for entry in entries:
                if (not entry["used"] and entry["file"] == f.path and entry["function"] == function
                        and entry["code"] == code):
                    entry["used"] = True
                    listed += 1
                    break
            else:
                failures.append(f"{f.path}:{line}: in {function or '?'}: {code}: not run, and not listed")
    print(f"{'all':<{width}}  {total[0]:>4}/{total[1]:<4} {percent(*total[:2]):6.2f} %"
          f"  {total[2]:>4}/{total[3]:<4} {percent(*total[2:]):6.2f} %")

    for entry in entries:
        if not entry["used"]:
            failures.append(f"{entry['where']}: listed, but no uncovered line matches it "
                            f"({entry['file']} | {entry['function']} | {entry['code']})")
    branches = percent(*total[2:])
    if branches < args.branch_floor:
        failures.append(f"branches {branches:.2f} % are below the floor of {args.branch_floor:.0f} %; not taken:")
        for f in files:
            for line, count in f.branches:
                if not count:
                    failures.append(f"  {f.path}:{line}")
    if failures:
        print("\n".join(failures), file=sys.stderr)
        sys.exit(1)
    print(f"every line of {', '.join(f + '/' for f in FOLDERS)} ran or is listed ({listed} listed, "
          f"{len(whole)} file(s) listed whole); branches {branches:.2f} % (floor {args.branch_floor:.0f} %)")


if __name__ == "__main__":
    main()
