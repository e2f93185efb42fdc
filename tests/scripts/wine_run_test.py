#!/usr/bin/env python3
"""Checks cmake/wine-run.py, CTest's emulator for the Windows test programs,
with a shell standing in for Wine's loader: exit statuses pass through
exactly, a signal that ends the program ends the emulator too and is not
taken for an exit status, the program's own output is kept, and the line
saying how it ended is printed whatever the outcome."""
import os
import signal
import subprocess
import sys

RUNNER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake", "wine-run.py")

# (what the stand-in program does, the emulator's return code as
# subprocess reports it, the end it must name)
CASES = [
    ("echo out; echo err >&2; exit 0", 0, "exited with status 0"),
    # 0xC0000409 and 0xC000001D as Wine's exit status: their low byte.
    ("exit 9", 9, "exited with status 9"),
    ("exit 29", 29, "exited with status 29"),
    # An exit status that a shell would report for SIGSYS, and SIGSYS itself.
    ("exit 159", 159, "exited with status 159"),
    ("kill -SYS $$", -signal.SIGSYS, "ended by signal 31 (SIGSYS)"),
    ("kill -KILL $$", -signal.SIGKILL, "ended by signal 9 (SIGKILL)"),
]


def main():
    failures = 0
    for script, want_code, want_end in CASES:
        result = subprocess.run(
            [sys.executable, RUNNER, "/bin/sh", "-c", script],
            capture_output=True, text=True, timeout=30,
            env=dict(os.environ, WINEPREFIX="/nonexistent"))
        lines = result.stderr.splitlines()
        last = lines[-1] if lines else ""
        problems = []
        if result.returncode != want_code:
            problems.append(f"returned {result.returncode}, not {want_code}")
        if not last.startswith(f"wine-run: -c {want_end} after ") or "wineserver before: none" not in last:
            problems.append(f"said {last!r}, not that -c {want_end}")
        if script.startswith("echo") and (result.stdout != "out\n" or lines[:1] != ["err"]):
            problems.append(f"lost the program's output: {result.stdout!r}, {result.stderr!r}")
        for problem in problems:
            print(f"FAIL {script!r}: {problem}")
        failures += bool(problems)
    print(f"wine_run: {len(CASES) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
