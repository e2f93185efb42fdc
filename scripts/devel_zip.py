#!/usr/bin/env python3
"""Writes the release archive from a staged folder, the same bytes from the
same files wherever and whenever it runs: members in sorted order under one
root folder, every one dated --mtime (UTC) with fixed permissions, and a
SHA256SUMS member that lists the others as sha256sum writes them."""
import argparse
import hashlib
import os
import sys
import time
import zipfile

# The earliest date a zip member can carry.
ZIP_EPOCH = 315532800  # 1980-01-01


def staged_files(stage):
    files = []
    for folder, _, names in os.walk(stage):
        for name in names:
            path = os.path.join(folder, name)
            files.append(os.path.relpath(path, stage).replace(os.sep, "/"))
    return sorted(files)


def member(name, date_time):
    info = zipfile.ZipInfo(name, date_time)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3  # Unix, so that the permissions below apply
    info.external_attr = 0o100644 << 16
    return info


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--stage", required=True, help="folder whose files go in the archive")
    parser.add_argument("--root", required=True, help="folder name inside the archive")
    parser.add_argument("--mtime", type=int, required=True, help="member date, seconds since 1970")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    date_time = time.gmtime(max(args.mtime, ZIP_EPOCH))[:6]
    files = [name for name in staged_files(args.stage) if name != "SHA256SUMS"]
    contents = {}
    for name in files:
        with open(os.path.join(args.stage, name), "rb") as f:
            contents[name] = f.read()
    contents["SHA256SUMS"] = "".join(
        f"{hashlib.sha256(contents[name]).hexdigest()}  {name}\n" for name in files).encode()

    temporary = args.output + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name in sorted(contents):
            archive.writestr(member(f"{args.root}/{name}", date_time), contents[name],
                             compresslevel=9)
    os.replace(temporary, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
