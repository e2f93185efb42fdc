#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/. Run it again after changing the
seeds; the fuzzers never write here (./scripts/fuzz works on a copy).

The placement/found-* files are not written here: they are inputs an earlier
fuzzing run found that move an editor (left, stacked, right edge, an editor
wider than the client), kept so that a short run starts from real placements.
They are tied to the input layout of placement_fuzzer.cpp; when that layout
changes, replace them with new finds."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

TITLES = [
    b"C:\\src\\main.cpp",
    b"C:\\src\\main.h:2",
    b"C:\\my src\\util.hxx [Read Only]",
    b"D:/proj/view.rc",
    b"C:main.rh",
    b"my file.cpp:2",
    b"C:\\Program Files\\x\\a.b.c.cxx",
    b"C:\\src\\" + b"n" * 300 + b"." + b"e" * 300,
    b"\\\\server\\share\\dir.d\\noext",
    b"C:\\src\\\xe9t\xe9.H",
]


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


def main():
    for i, title in enumerate(TITLES):
        write("title", "seed%02d" % i, title)
    # The placement fuzzer reads its input through FuzzedDataProvider, so any
    # bytes make a tree; seeds of a few sizes give it trees of a few shapes.
    rng = random.Random(1)
    for i, size in enumerate([16, 64, 160, 400, 1000, 2500]):
        write("placement", "seed%02d" % i, bytes(rng.randrange(256) for _ in range(size)))


if __name__ == "__main__":
    main()
