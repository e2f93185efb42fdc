#!/usr/bin/env python3
"""Checks the binary interface of a built PositionWindow.dll with objdump.

Fails on a missing, extra or decorated export; an import from anything but
KERNEL32.dll, USER32.dll and msvcrt.dll; a wrong machine type; a missing
DYNAMIC_BASE or NX_COMPAT; a 32-bit DLL over 64 KiB; and, in a 32-bit build,
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

    size = os.path.getsize(args.dll)
    if args.arch == "i686" and size > MAX_32BIT_SIZE:
        problems.append(f"{size} bytes, over the {MAX_32BIT_SIZE}-byte limit")

    if args.arch == "i686":
        objects = [path for item in args.object for path in item.split(";") if path]
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
    args = parser.parse_args()
    problems = check(args)
    for problem in problems:
        print(f"FAIL: {problem}")
    print(f"binary_check: {0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
