#!/usr/bin/env python3
"""Checks the binary interface of a built PositionWindow.dll with objdump:
binutils' or LLVM's (llvm-objdump, which Visual Studio builds use).

Fails on a missing, extra or decorated export; an import from anything but
KERNEL32.dll, USER32.dll and msvcrt.dll; a wrong machine type; a missing
DYNAMIC_BASE or NX_COMPAT; a build time stamped into the image; a PDB named
with its build folder; a DLL over its size limit (64 KiB for a 32-bit one
unless --max-size says otherwise); in a DLL without an entry point, an object
with a dynamic initialiser, which nothing would run; and, in a 32-bit build,
an export that is not stdcall (its object symbol must be _PositionWindow@16).

With --hardened (the shipped DLLs), it also reads the image with llvm-readobj
and fails on a mitigation that a Visual Studio security build has and this
one lacks: GUARD_CF, HIGH_ENTROPY_VA on x64, NO_SEH or a SafeSEH table on x86;
no base relocations; on x64, an image base below 4 GB; imports in an
executable section;
a load configuration without a security cookie at its default value in a
writable section, or without Control Flow Guard's check pointer (and
dispatch pointer on x64) in a read-only one, its instrumentation flag and
table of valid call targets; on x64, no CET shadow-stack compatibility; a
section that is both writable and executable, or writable and shared; an
object not compiled with /guard:cf; or no object that checks a stack cookie
(compiled with /GS).

With --visual-studio (a Visual Studio build, with its static C runtime and
link.exe), the time stamps and the default size limit do not apply: the
linker stamps its link time, and the C runtime is part of the DLL.

With --version (the project's, from CMake) and --changelog, it fails unless
the version resource's numbers and its FileVersion and ProductVersion texts,
the CMake version and the changelog's newest release are one version; with
--licence, unless LegalCopyright names the licence's copyright line.
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                                "scripts"))
import release_notes  # noqa: E402

EXPORTS = ["PositionWindow"]
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll"}
MAX_32BIT_SIZE = 64 * 1024
# Sections that hold dynamic initialisers: MSVC's C++ initialiser table, and
# GCC's constructor lists.
INITIALISER_SECTIONS = re.compile(r"^\s*\d+\s+(\.CRT\$XC\w*|\.ctors\S*|\.init_array\S*)\s", re.M)
# The image's format as binutils and LLVM name it, and the optional header's magic.
FORMATS = {"i686": (("pei-i386", "coff-i386"), "010b"), "x86_64": (("pei-x86-64", "coff-x86-64"), "020b")}

# The documented default cookies, which the loader replaces with random ones
# when the load configuration points at them; it leaves any other value as
# it is, so the image must carry the default.
DEFAULT_COOKIES = {"i686": 0xBB40E64E, "x86_64": 0x00002B992DDFA232}
POINTER_SIZES = {"i686": 4, "x86_64": 8}
# The load configuration's size up to the end of GuardFlags, the last field
# the loader reads for Control Flow Guard.
GUARD_FIELDS_END = {"i686": 0x5C, "x86_64": 0x94}
GUARD_CF_INSTRUMENTED = 0x100
GUARD_CF_FUNCTION_TABLE_PRESENT = 0x400
# @feat.00 in an object compiled with /guard:cf.
FEAT_GUARD_CF = 0x800
SCN_MEM_SHARED = 0x10000000
SCN_MEM_EXECUTE = 0x20000000
SCN_MEM_WRITE = 0x80000000


def objdump(tool, *args):
    return subprocess.run([tool, *args], check=True, capture_output=True, text=True).stdout


def exported_names(headers):
    """The names of objdump's [Ordinal/Name Pointer] table. binutils 2.40
    (Debian 12) prints a row as "[   0] PositionWindow"; 2.44 (Debian 13)
    puts a line of column titles above the rows and prints the ordinal and
    hint too, "[   0] +base[   1]  0000 PositionWindow". llvm-objdump prints
    an "Export Table:" whose rows under " Ordinal      RVA  Name" read
    "       1   0x22a0  PositionWindow"."""
    section = headers.split("[Ordinal/Name Pointer] Table", 1)
    if len(section) < 2:
        # lld leaves ordinal 0 unused, a row "       0        0" without a name.
        llvm = re.search(r"^Export Table:\n(?:.*\n)*?\s*Ordinal\s+RVA\s+Name\n((?:[ \t]*\d+[ \t]+(?:0x)?[0-9a-fA-F]+.*(?:\n|$))*)",
                         headers, re.M)
        return re.findall(r"^[ \t]*\d+[ \t]+0x[0-9a-fA-F]+[ \t]+(\S+)", llvm.group(1), re.M) if llvm else []
    names = []
    for line in section[1].splitlines()[1:]:
        if not names and re.fullmatch(r"\s*Ordinal\s+Hint\s+Name\s*", line):
            continue
        match = re.fullmatch(r"\s*\[\s*\d+\]\s+(?:\+base\[\s*\d+\]\s+[0-9a-fA-F]+\s+)?(\S+)\s*", line)
        if not match:
            break
        names.append(match.group(1))
    return names


def check(args):
    problems = []
    headers = objdump(args.objdump, "-p", args.dll)
    file_formats, magic = FORMATS[args.arch]

    if not any(f"file format {name}" in headers for name in file_formats):
        problems.append(f"not a {file_formats[0]} image")
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
    export_stamp = re.search(r"^Time/Date stamp\s+(\S+)", headers, re.M)
    with open(args.dll, "rb") as f:
        image = f.read()
    # binutils says when the stamp is a hash of the image (/Brepro); LLVM
    # prints it as a date, so the debug directory's Repro entry tells.
    hashed = IMAGE_DEBUG_TYPE_REPRO in debug_types(image)
    if not args.visual_studio:
        if not stamp or not ("reproducible build" in stamp.group(1) or "1970" in stamp.group(1) or hashed):
            problems.append(f"the image is stamped with its link time: {stamp.group(1) if stamp else '?'}")
        if export_stamp and int(export_stamp.group(1), 16) != 0:
            problems.append(f"the export table is stamped {export_stamp.group(1)}")

    codeview = image.find(b"RSDS")
    if codeview >= 0:
        pdb = image[codeview + 24:image.index(b"\0", codeview + 24)].decode("latin-1")
        if "/" in pdb or "\\" in pdb:
            problems.append(f"the DLL names its PDB with a folder: {pdb}")

    size = len(image)
    default_size = MAX_32BIT_SIZE if args.arch == "i686" and not args.visual_studio else 0
    max_size = args.max_size if args.max_size else default_size
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

    problems += version_problems(image, args.version, args.changelog, args.licence)
    resource = version_resource(image) or {}

    if args.hardened:
        problems += hardening_problems(args, characteristics, headers, image, objects)

    print(f"{args.dll}: {args.arch}, {size} bytes, exports {exports}, imports {imports}, "
          f"version {resource.get('FileVersion')}")
    return problems


IMAGE_DEBUG_TYPE_REPRO = 16


def debug_types(image):
    """The types of the image's debug directory entries, from its headers."""
    header = struct.unpack_from("<I", image, 0x3C)[0]
    sections, = struct.unpack_from("<H", image, header + 6)
    optional_size, = struct.unpack_from("<H", image, header + 20)
    optional = header + 24
    magic, = struct.unpack_from("<H", image, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    rva, size = struct.unpack_from("<II", image, directories + 6 * 8)
    table = optional + optional_size
    for i in range(sections):
        virtual_size, address, raw_size, raw = struct.unpack_from("<IIII", image, table + 40 * i + 8)
        if rva and address <= rva < address + max(virtual_size, raw_size):
            at = raw + rva - address
            return [struct.unpack_from("<I", image, at + 28 * n + 12)[0] for n in range(size // 28)]
    return []


# VS_FIXEDFILEINFO's signature, as it lies in the image.
FIXED_FILE_INFO_SIGNATURE = (0xFEEF04BD).to_bytes(4, "little")


def version_resource(image):
    """The version resource's file and product versions as "a.b.c.d" from
    its VS_FIXEDFILEINFO, and the values of its string table; None when the
    image has none."""
    fixed = image.find(FIXED_FILE_INFO_SIGNATURE)
    if fixed < 0:
        return None
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", image, fixed + 8)
    numbers = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    found = {"fixed FILEVERSION": numbers(file_ms, file_ls), "fixed PRODUCTVERSION": numbers(product_ms, product_ls)}
    # Each string is a UTF-16 key, padding to a 32-bit boundary, and the
    # UTF-16 value, all NUL-terminated.
    for key in ("FileVersion", "ProductVersion", "LegalCopyright"):
        at = image.find((key + "\0").encode("utf-16-le"), fixed)
        if at < 0:
            continue
        at += 2 * (len(key) + 1)
        at += -at % 4
        end = at
        while end + 1 < len(image) and image[end:end + 2] != b"\0\0":
            end += 2
        found[key] = image[at:end].decode("utf-16-le", "replace")
    return found


def version_problems(image, version, changelog, licence):
    """The version is written once, in CMake; the DLL's resource and the
    changelog's newest release must say the same."""
    problems = []
    resource = version_resource(image) or {}
    if version and changelog:
        with open(changelog, encoding="utf-8") as f:
            listed = release_notes.releases(f.read())
        newest = listed[0][0] if listed else "missing"
        if newest != version:
            problems.append(f"{os.path.basename(changelog)}'s newest release is {newest}, "
                            f"the CMake version {version}")
    if version:
        for field in ("fixed FILEVERSION", "fixed PRODUCTVERSION", "FileVersion", "ProductVersion"):
            if resource.get(field) != f"{version}.0":
                problems.append(f"the version resource's {field} is {resource.get(field)}, "
                                f"the CMake version {version}")
    if licence:
        with open(licence, encoding="utf-8") as f:
            copyright_line = f.readline().strip()
        if copyright_line not in resource.get("LegalCopyright", ""):
            problems.append(f"the version resource's LegalCopyright is {resource.get('LegalCopyright')!r}, "
                            f"without {copyright_line!r}")
    return problems


def readobj_fields(text, block):
    """The "Name: value" lines of llvm-readobj's BLOCK [ ... ], as integers
    where they are numbers; None when there is no such block. A set of flags
    counts by its value: LLVM 14 prints "GuardFlags: 0x10500", LLVM 19 a
    block "GuardFlags [ (0x10500)" that names each flag below it."""
    match = re.search(rf"^{block} \[\n(.*?)^\]", text, re.M | re.S)
    if not match:
        return None
    fields = {}
    for name, value in re.findall(r"^\s+(\w+)(?:: | \[ \()([^\s)]+)", match.group(1), re.M):
        try:
            fields[name] = int(value, 0)
        except ValueError:
            fields[name] = value
    return fields


def sections_of(readobj, dll):
    """(name, virtual address, virtual size, file offset, characteristics)
    of each section."""
    text = subprocess.run([readobj, "--sections", dll], check=True, capture_output=True, text=True).stdout
    found = []
    for block in re.findall(r"^  Section \{\n(.*?)^  \}", text, re.M | re.S):
        field = lambda name: re.search(rf"^\s+{name}: (\S+)", block, re.M).group(1)
        flags = int(re.search(r"Characteristics \[ \((0x[0-9A-Fa-f]+)\)", block).group(1), 16)
        found.append((field("Name"), int(field("VirtualAddress"), 0), int(field("VirtualSize"), 0),
                      int(field("PointerToRawData"), 0), flags))
    return found


def hardening_problems(args, characteristics, headers, image, objects):
    problems = []
    pointer = POINTER_SIZES[args.arch]
    x64 = args.arch == "x86_64"

    wanted = ["GUARD_CF"] + (["HIGH_ENTROPY_VA"] if x64 else [])
    for flag in wanted:
        if flag not in characteristics:
            problems.append(f"{flag} is not set")

    sections = sections_of(args.readobj, args.dll)
    for name, _, _, _, flags in sections:
        if flags & SCN_MEM_WRITE and flags & SCN_MEM_EXECUTE:
            problems.append(f"section {name} is both writable and executable")
        if flags & SCN_MEM_WRITE and flags & SCN_MEM_SHARED:
            problems.append(f"section {name} is writable and shared between processes")

    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", headers, re.M).group(1), 16)

    def section_at(address):
        rva = address - image_base
        for section in sections:
            if section[1] <= rva < section[1] + section[2]:
                return section
        return None

    def directory(number):
        """(address, size) of the data directory entry NUMBER."""
        entry = re.search(rf"^Entry {number:x} ([0-9a-fA-F]+) ([0-9a-fA-F]+)", headers, re.M)
        return (image_base + int(entry.group(1), 16), int(entry.group(2), 16)) if entry else (0, 0)

    # ASLR moves only an image that can be relocated; on x64 a base above
    # 4 GB keeps the DLL's addresses out of 32-bit reach.
    if not directory(5)[1]:
        problems.append("no base relocations: ASLR cannot move the image")
    if x64 and image_base <= 0xFFFFFFFF:
        problems.append(f"image base {image_base:#x} is below 4 GB")
    imports = section_at(directory(1)[0])
    if imports and imports[4] & SCN_MEM_EXECUTE:
        problems.append(f"the import directory is in the executable section {imports[0]}")

    text = subprocess.run([args.readobj, "--coff-load-config", "--coff-debug-directory", args.dll],
                          check=True, capture_output=True, text=True).stdout
    config = readobj_fields(text, "LoadConfig")
    if config is None:
        problems.append("no load configuration: no security cookie, no Control Flow Guard")
        return problems
    if config.get("Size", 0) < GUARD_FIELDS_END[args.arch]:
        problems.append(f"the load configuration's {config.get('Size', 0):#x} bytes end before GuardFlags "
                        f"({GUARD_FIELDS_END[args.arch]:#x})")

    if not x64 and "NO_SEH" not in characteristics and not (
            config.get("SEHandlerTable") and config.get("SEHandlerCount")):
        problems.append("neither NO_SEH nor a SafeSEH table of exception handlers")

    cookie = config.get("SecurityCookie", 0)
    home = section_at(cookie) if cookie else None
    if not cookie:
        problems.append("the load configuration names no security cookie")
    elif not home or not home[4] & SCN_MEM_WRITE:
        problems.append(f"the security cookie at {cookie:#x} is not in a writable section")
    else:
        offset = home[3] + cookie - image_base - home[1]
        value = int.from_bytes(image[offset:offset + pointer], "little")
        if value != DEFAULT_COOKIES[args.arch]:
            problems.append(f"the security cookie holds {value:#x}, not the default "
                            f"{DEFAULT_COOKIES[args.arch]:#x} that the loader replaces")

    pointers = ["GuardCFCheckFunction"] + (["GuardCFCheckDispatch"] if x64 else [])
    for field in pointers:
        address = config.get(field, 0)
        home = section_at(address) if address else None
        if not address:
            problems.append(f"the load configuration has no {field} pointer")
        elif not home or home[4] & SCN_MEM_WRITE:
            problems.append(f"the {field} pointer at {address:#x} is not in a read-only section")
    flags = config.get("GuardFlags", 0)
    if not flags & GUARD_CF_INSTRUMENTED:
        problems.append(f"GuardFlags {flags:#x} lack CF_INSTRUMENTED")
    if not (flags & GUARD_CF_FUNCTION_TABLE_PRESENT and config.get("GuardCFFunctionTable")
            and config.get("GuardCFFunctionCount")):
        problems.append("no table of valid call targets (GuardCFFunctionTable), though the DLL "
                        "hands callbacks to the system")

    print(f"{args.dll}: load configuration of {config.get('Size', 0):#x} bytes, cookie in "
          f"{section_at(cookie)[0] if cookie and section_at(cookie) else 'no section'}, GuardFlags {flags:#x}, "
          f"{config.get('GuardCFFunctionCount', 0)} valid call targets")

    if x64 and "IMAGE_DLL_CHARACTERISTICS_EX_CET_COMPAT" not in text:
        problems.append("not marked compatible with CET shadow stacks (CET_COMPAT)")

    checks_cookie = False
    for path in objects:
        symbols = objdump(args.objdump, "-t", path)
        feat = re.search(r"\s0x([0-9a-fA-F]+) @feat\.00$", symbols, re.M)
        if not feat or not int(feat.group(1), 16) & FEAT_GUARD_CF:
            problems.append(f"{os.path.basename(path)} is not compiled with /guard:cf")
        if re.search(r"\(sec\s+0\).*\s@?_?_security_check_cookie(@\d+)?$", symbols, re.M):
            checks_cookie = True
    if not checks_cookie:
        problems.append("no object checks a stack cookie: the library is not compiled with /GS")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--arch", required=True, choices=sorted(FORMATS))
    parser.add_argument("--dll", required=True)
    parser.add_argument("--object", nargs="*", default=[])
    parser.add_argument("--max-size", type=int, default=0,
                        help="size limit in bytes (default: 64 KiB for a 32-bit DLL)")
    parser.add_argument("--hardened", action="store_true",
                        help="require the mitigations of a Visual Studio security build")
    parser.add_argument("--readobj", help="llvm-readobj, which --hardened needs")
    parser.add_argument("--visual-studio", action="store_true",
                        help="a Visual Studio build: no time stamp check, no default size limit")
    parser.add_argument("--version", help="the project's version, x.y.z, which the version resource must carry")
    parser.add_argument("--changelog", help="CHANGELOG.md, whose newest release must be --version")
    parser.add_argument("--licence", help="LICENSE.txt, whose first line LegalCopyright must hold")
    args = parser.parse_args()
    if args.hardened and not args.readobj:
        parser.error("--hardened needs --readobj")
    # A tool CMake did not find comes as NAME-NOTFOUND: say so, and fail.
    for option, tool in (("--objdump", args.objdump), ("--readobj", args.readobj)):
        if tool is not None and not shutil.which(tool):
            print(f"FAIL: {option} {tool}: no such program. Visual Studio brings no objdump; install LLVM "
                  "(the windows-2022 image has it in C:\\Program Files\\LLVM\\bin) or put its bin folder "
                  "on the PATH, and configure again")
            print("binary_check: 0 passed, 1 failed")
            return 1
    problems = check(args)
    for problem in problems:
        print(f"FAIL: {problem}")
    print(f"binary_check: {0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
