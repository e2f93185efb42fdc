#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/. Run it again after changing the
seeds; the fuzzers never write here (./scripts/fuzz works on a copy).

The placement/found-* files are not written here: they are inputs an earlier
fuzzing run found that move an editor (left at the top, left and stacked,
right edge, right edge with a negative width), kept so that a short run
starts from real placements.
They are tied to the input layout of placement_fuzzer.cpp; when that layout
changes, replace them with new finds."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

# The title fuzzer takes the first byte to pick the code page's lead bytes
# (0: none, 1: code page 932's, 2: 936's); the rest is the title.
TITLES = [
    b"\0C:\\src\\main.cpp",
    b"\0C:\\src\\main.h:2",
    b"\0C:\\my src\\util.hxx [Read Only]",
    b"\0D:/proj/view.rc",
    b"\0C:main.rh",
    b"\0my file.cpp:2",
    b"\0C:\\Program Files\\x\\a.b.c.cxx",
    b"\0" + b"C:\\src\\" + b"n" * 300 + b"." + b"e" * 300,
    b"\0\\\\server\\share\\dir.d\\noext",
    b"\0C:\\src\\\xe9t\xe9.H",
    # Characters whose second byte is a backslash (表, ソ) or a letter (ア, ヂ).
    b"\1C:\\src\\\x95\x5C.h",
    b"\1C:\\\x95\x5C\\\x83\x41\x83\x61.cpp:2",
    b"\2D:\\\x83\x5C x.rc",
    b"\1C:\\src\\" + b"n" * 254 + b"\x83\x41.h",
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
