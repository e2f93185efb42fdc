#!/usr/bin/env python3
"""Runs the demo host's scripted session headless and checks where each
editor landed against the layout the placement rules give for its default
titles: pairs side by side at equal heights, the other editors cascaded.
Also checks the host's account of each opening, which captions the demo's
animation, against the same layout as it stood when that editor opened."""
import argparse
import os
import subprocess
import sys
import tempfile

# (title, side with sources on the right, cascade steps down), in the order
# the demo opens them.
EXPECTED = [
    ("C:\\proj\\main.h", "left", 0),      # nothing open yet
    ("C:\\proj\\main.cpp", "right", 0),   # beside main.h
    ("C:\\proj\\util.h", "left", 1),      # util.cpp not open: below main.h
    ("C:\\proj\\notes.txt", "left", 2),   # unpaired: below util.h
    ("C:\\proj\\util.cpp", "right", 1),   # beside util.h
    ("C:\\proj\\app.rc", "right", 3),     # app.rh not open: below notes.txt
    ("C:\\proj\\app.rh", "left", 3),      # beside app.rc
]
UNPAIRED = {"C:\\proj\\notes.txt"}


def run_demo(wine, demo, sources_left):
    with tempfile.TemporaryDirectory() as scratch:
        report = os.path.join(scratch, "report.txt")
        command = [*wine, demo, "--report", "Z:" + report.replace("/", "\\")]
        if sources_left:
            command.append("--sources-left")
        subprocess.run(command, cwd=os.path.dirname(demo), check=True, timeout=50,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(report) as f:
            return [line.rstrip("\n").split("\t") for line in f]


def side_of(title, side, sources_left):
    if sources_left and title not in UNPAIRED:
        return "right" if side == "left" else "left"
    return side


def expected_openings(sources_left):
    """What happened to each editor as it opened: the edge it went to and the
    editor already open at its height against the other edge, if any."""
    openings = []
    for index, (title, side, steps) in enumerate(EXPECTED):
        side = side_of(title, side, sources_left)
        name = title.rsplit("\\", 1)[-1]
        beside = [t.rsplit("\\", 1)[-1] for t, s, n in EXPECTED[:index]
                  if n == steps and side_of(t, s, sources_left) != side]
        what = f"beside {beside[0]}" if beside else "no counterpart, stacked"
        openings.append(f"{name}: {what}, {side} edge")
    return openings


def check(rows, sources_left):
    failures = []
    fields = {row[0]: row[1:] for row in rows if row[0] != "editor"}
    client_width, client_height = (int(v) for v in fields["client"])
    step = int(fields["step"][0])
    editors = [row[1:] for row in rows if row[0] == "editor"]
    if [e[4] for e in editors] != [title for title, _, _ in EXPECTED]:
        return [f"editors opened: {[e[4] for e in editors]}"]
    width, height = client_width // 2, client_height // 3
    for (title, side, steps), editor in zip(EXPECTED, editors):
        side = side_of(title, side, sources_left)
        left = 0 if side == "left" else client_width - width
        expected = (left, steps * step, width, height)
        actual = tuple(int(v) for v in editor[:4])
        if actual != expected:
            failures.append(f"{title}: (left, top, width, height) = {actual}, expected {expected}")
    openings = [row[1] for row in rows if row[0] == "opened"]
    for index, expected in enumerate(expected_openings(sources_left)):
        actual = openings[index] if index < len(openings) else None
        if actual != expected:
            failures.append(f"opening {index + 1} reads {actual!r}, expected {expected!r}")
    if len(openings) > len(EXPECTED):
        failures.append(f"{len(openings)} openings reported for {len(EXPECTED)} editors")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wine", required=True, nargs="+",
                        help="the command that runs a Windows program: Wine's loader, or CTest's emulator")
    parser.add_argument("--demo", required=True)
    args = parser.parse_args()
    passed = failed = 0
    for sources_left in (False, True):
        failures = check(run_demo(args.wine, args.demo, sources_left), sources_left)
        label = "sources left" if sources_left else "sources right"
        for failure in failures:
            print(f"FAIL ({label}): {failure}")
        failed += bool(failures)
        passed += not failures
    print(f"demo_layout: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
