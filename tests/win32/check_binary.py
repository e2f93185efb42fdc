#!/usr/bin/env python3
"""Checks the binary interface of a built PositionWindow.dll with objdump.

Fails on a missing, extra or decorated export; an import from anything but
KERNEL32.dll, USER32.dll and msvcrt.dll; a wrong machine type; a missing
DYNAMIC_BASE or NX_COMPAT; a build time stamped into the image; a PDB named
with its build folder; a DLL over its size limit (64 KiB for a 32-bit one
unless --max-size says otherwise); in a DLL without an entry point, an object
with a dynamic initialiser, which nothing would run; and, in a 32-bit build,
an export that is not stdcall (its object symbol must be _PositionWindow@16).
"""
import argparse
import os
import re
import subprocess
import sys

EXPORTS = ["PositionWindow"]
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll"}
MAX_32BIT_SIZE = 64 * 1024
# Sections that hold dynamic initialisers: MSVC's C++ initialiser table, and
# GCC's constructor lists.
INITIALISER_SECTIONS = re.compile(r"^\s*\d+\s+(\.CRT\$XC\w*|\.ctors\S*|\.init_array\S*)\s", re.M)
FORMATS = {"i686": ("pei-i386", "010b"), "x86_64": ("pei-x86-64", "020b")}


def objdump(tool, *args):
    return subprocess.run([tool, *args], check=True, capture_output=True, text=True).stdout


def exported_names(headers):
    section = headers.split("[Ordinal/Name Pointer] Table", 1)
    if len(section) < 2:
        return []
    names = []
    for line in section[1].splitlines()[1:]:
        match = re.match(r"\s*\[\s*\d+\]\s+(\S+)", line)
        if not match:
            break
        names.append(match.group(1))
    return names


def check(args):
    problems = []
    headers = objdump(args.objdump, "-p", args.dll)
    file_format, magic = FORMATS[args.arch]

    if f"file format {file_format}" not in headers:
        problems.append(f"not a {file_format} image")
    if not re.search(rf"^Magic\s+{magic}\b", headers, re.M):
        problems.append(f"optional header magic is not {magic}")

    exports = exported_names(headers)
    if exports != EXPORTS:
        problems.append(f"exports are {exports}, expected exactly {EXPORTS}")

    imports = re.findall(r"DLL Name: (\S+)", headers)
    foreign = [name for name in imports if name.lower() not in SYSTEM_DLLS]
    if foreign:
        problems.append(f"imports from {foreign}; only {sorted(SYSTEM_DLLS)} are allowed")

    characteristics = headers.split("DllCharacteristics", 1)[-1].split("SizeOfStackReserve", 1)[0]
    for flag in ("DYNAMIC_BASE", "NX_COMPAT"):
        if flag not in characteristics:
            problems.append(f"{flag} is not set")

    # Two builds of one commit must give the same bytes: the image carries
    # no link time (zero, or lld's /Brepro content hash) and neither does its
    # export table.
    stamp = re.search(r"^Time/Date\s+(.*)$", headers, re.M)
    if not stamp or not ("reproducible build" in stamp.group(1) or "1970" in stamp.group(1)):
        problems.append(f"the image is stamped with its link time: {stamp.group(1) if stamp else '?'}")
    export_stamp = re.search(r"^Time/Date stamp\s+(\S+)", headers, re.M)
    if export_stamp and int(export_stamp.group(1), 16) != 0:
        problems.append(f"the export table is stamped {export_stamp.group(1)}")

    with open(args.dll, "rb") as f:
        image = f.read()
    codeview = image.find(b"RSDS")
    if codeview >= 0:
        pdb = image[codeview + 24:image.index(b"\0", codeview + 24)].decode("latin-1")
        if "/" in pdb or "\\" in pdb:
            problems.append(f"the DLL names its PDB with a folder: {pdb}")

    size = len(image)
    max_size = args.max_size if args.max_size else (MAX_32BIT_SIZE if args.arch == "i686" else 0)
    if max_size and size > max_size:
        problems.append(f"{size} bytes, over the {max_size}-byte limit")

    # Resource files (.res) are no COFF objects and hold no code.
    objects = [path for item in args.object for path in item.split(";")
               if path and not path.lower().endswith(".res")]
    entry = re.search(r"^AddressOfEntryPoint\s+([0-9a-fA-F]+)", headers, re.M)
    if entry and int(entry.group(1), 16) == 0:
        for path in objects:
            found = INITIALISER_SECTIONS.findall(objdump(args.objdump, "-h", path))
            if found:
                problems.append(f"{os.path.basename(path)} has a dynamic initialiser ({found[0]}), "
                                "but the DLL has no entry point to run it")

    if args.arch == "i686":
        symbols = "".join(objdump(args.objdump, "-t", path) for path in objects)
        if not re.search(r"\s_PositionWindow@16$", symbols, re.M):
            problems.append("no _PositionWindow@16 symbol: the export is not stdcall with 16 bytes of arguments")

    print(f"{args.dll}: {args.arch}, {size} bytes, exports {exports}, imports {imports}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--arch", required=True, choices=sorted(FORMATS))
    parser.add_argument("--dll", required=True)
    parser.add_argument("--object", nargs="*", default=[])
    parser.add_argument("--max-size", type=int, default=0,
                        help="size limit in bytes (default: 64 KiB for a 32-bit DLL)")
    args = parser.parse_args()
    problems = check(args)
    for problem in problems:
        print(f"FAIL: {problem}")
    print(f"binary_check: {0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
