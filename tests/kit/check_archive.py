#!/usr/bin/env python3
"""Checks a release archive, PositionWindow-<version>-devel.zip, as a host
developer would receive it.

Fails on a missing or extra member; members outside the one root folder;
members with differing dates (the archive would not be reproducible); a
SHA256SUMS that does not list every other member with its digest; a DLL of
the wrong machine in lib/x86 or lib/x64; a 32-bit DLL over 10 KiB; a version
in its name other than CMakeLists.txt's and CHANGELOG.md's newest release; a
DLL whose version resource is not the archive's version; an import library without
the symbol a host compiling the header's declaration refers to, or with a
time stamp in it; and a relative link of the kit's README.md that names no
member of the archive or no heading of the README.
"""
import argparse
import hashlib
import os
import re
import struct
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "docs"))
import check_links  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                                "scripts"))
import release_notes  # noqa: E402

# Folder: (PE machine, the import symbol a host's call refers to)
MACHINES = {
    "x86": (0x014C, b"__imp__PositionWindow@16"),
    "x64": (0x8664, b"__imp_PositionWindow"),
}
PER_MACHINE = ["PositionWindow.dll", "PositionWindow.pdb", "PositionWindow.lib", "libPositionWindow.dll.a"]
IMPORT_LIBRARIES = ["PositionWindow.lib", "libPositionWindow.dll.a"]
SHARED = [
    "CHANGELOG.md",
    "LICENSE.txt",
    "README.md",
    "SHA256SUMS",
    "include/PositionWindow.h",
    "cmake/PositionWindowConfig.cmake",
    "cmake/PositionWindowConfigVersion.cmake",
]
MAX_X86_DLL_SIZE = 10 * 1024


def pe_machine(image):
    if image[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", image, 0x3C)[0]
    if image[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", image, offset + 4)[0]


def archive_members(data):
    """(name, date field, body) of each member of an ar archive."""
    if data[:8] != b"!<arch>\n":
        raise ValueError("not an ar archive")
    position = 8
    while position + 60 <= len(data):
        header = data[position:position + 60]
        size = int(header[48:58])
        yield header[:16].decode().strip(), header[16:28].decode().strip(), \
            data[position + 60:position + 60 + size]
        position += 60 + size + (size & 1)


def import_library_problems(name, data, symbol):
    problems = []
    try:
        members = list(archive_members(data))
    except ValueError as error:
        return [f"{name}: {error}"]
    index = next((body for member, _, body in members if member == "/"), b"")
    count = struct.unpack_from(">I", index)[0] if len(index) >= 4 else 0
    symbols = index[4 + 4 * count:].split(b"\0")[:count]
    if symbol not in symbols:
        problems.append(f"{name}: no {symbol.decode()} among its symbols")
    for member, date, body in members:
        stamp = None
        if body[:4] == b"\0\0\xff\xff":  # a short import object
            stamp = struct.unpack_from("<I", body, 8)[0]
        elif len(body) >= 8 and struct.unpack_from("<H", body)[0] in (0x014C, 0x8664):  # COFF
            stamp = struct.unpack_from("<I", body, 4)[0]
        if date not in ("", "0") or stamp:
            problems.append(f"{name}: member {member} is time-stamped (date {date}, header {stamp})")
    return problems


def readme_link_problems(contents):
    """The kit's README sits at the archive's root: its relative links name
    the archive's members and folders, or its own headings."""
    readme = contents.get("README.md", b"").decode("utf-8", "replace")
    folders = set()
    for name in contents:
        while "/" in name:
            name = name.rsplit("/", 1)[0]
            folders.add(name)
    problems = []
    for number, target in check_links.links(readme):
        if not target or check_links.SCHEME.match(target):
            continue
        member, _, fragment = target.partition("#")
        member = os.path.normpath(member).replace(os.sep, "/") if member else "README.md"
        if member not in contents and member not in folders:
            problems.append(f"README.md:{number}: {target}: no such member or folder in the archive")
        elif fragment and member == "README.md" and fragment not in check_links.anchors(readme):
            problems.append(f"README.md:{number}: {target}: no heading makes the anchor #{fragment}")
    return problems


def check(path):
    problems = []
    match = re.fullmatch(r"PositionWindow-(\d+\.\d+\.\d+)-devel\.zip", os.path.basename(path))
    if not match:
        return [f"{os.path.basename(path)} is not named PositionWindow-<version>-devel.zip"]
    version = match.group(1)
    root = f"PositionWindow-{version}/"
    # The archive is built from this tree: its name carries the CMake
    # version, which the changelog's newest release must be too.
    for source, written in (("CMakeLists.txt", release_notes.cmake_version()),
                            ("CHANGELOG.md's newest release", release_notes.newest_release()[0])):
        if written != version:
            problems.append(f"the archive is version {version}, {source} {written}")

    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        names = [info.filename for info in infos]
        contents = {name[len(root):]: archive.read(name) for name in names if name.startswith(root)}

    outside = [name for name in names if not name.startswith(root)]
    if outside:
        problems.append(f"members outside {root}: {outside}")
    expected = set(SHARED) | {f"lib/{folder}/{name}" for folder in MACHINES for name in PER_MACHINE}
    if set(contents) != expected:
        problems.append(f"missing {sorted(expected - set(contents))}, extra {sorted(set(contents) - expected)}")
    if names != sorted(names):
        problems.append("members are not in sorted order")
    if len({info.date_time for info in infos}) > 1:
        problems.append(f"members carry {len({info.date_time for info in infos})} different dates")

    listed = {}
    for line in contents.get("SHA256SUMS", b"").decode().splitlines():
        digest, name = line.split("  ", 1)
        listed[name] = digest
    actual = {name: hashlib.sha256(data).hexdigest() for name, data in contents.items() if name != "SHA256SUMS"}
    if listed != actual:
        wrong = sorted(name for name in set(listed) | set(actual) if listed.get(name) != actual.get(name))
        problems.append(f"SHA256SUMS is wrong for {wrong}")

    for folder, (machine, symbol) in MACHINES.items():
        dll = contents.get(f"lib/{folder}/PositionWindow.dll", b"")
        if pe_machine(dll) != machine:
            problems.append(f"lib/{folder}/PositionWindow.dll is not a {machine:#06x} image")
        if folder == "x86" and len(dll) > MAX_X86_DLL_SIZE:
            problems.append(f"lib/x86/PositionWindow.dll is {len(dll)} bytes, over {MAX_X86_DLL_SIZE}")
        if f"{version}.0".encode("utf-16-le") not in dll:
            problems.append(f"lib/{folder}/PositionWindow.dll has no version resource of {version}")
        for name in IMPORT_LIBRARIES:
            member = f"lib/{folder}/{name}"
            if member in contents:
                problems.extend(import_library_problems(member, contents[member], symbol))

    problems.extend(readme_link_problems(contents))

    sizes = ", ".join(f"lib/{folder}/PositionWindow.dll {len(contents.get(f'lib/{folder}/PositionWindow.dll', b''))} bytes"
                      for folder in MACHINES)
    print(f"{path}: {len(names)} members, {sizes}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("archive")
    args = parser.parse_args()
    problems = check(args.archive)
    for problem in problems:
        print(f"FAIL: {problem}")
    print(f"check_archive: {0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
