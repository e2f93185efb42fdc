#!/usr/bin/env python3
"""Checks CMakePresets.json as the IDEs and the scripts read it: CMake reads
it; its schema is one Visual Studio 2022 reads too; on every host, each
configure preset offered comes with a build preset, and with a test preset
when it builds tests, and no build or test preset is offered without its
configure preset; no two configure presets share a build folder."""
import argparse
import json
import os
import platform
import re
import subprocess
import sys

# The newest schema that Visual Studio 2022 and CMake 3.25 both read.
NEWEST_SCHEMA = 5
HOSTS = ("Linux", "Windows", "Darwin")


def merged(presets, name):
    """A preset with what it inherits; its own fields win, then earlier parents'."""
    preset = presets[name]
    parents = preset.get("inherits", [])
    result = {}
    for parent in reversed([parents] if isinstance(parents, str) else parents):
        result.update(merged(presets, parent))
    result.update({k: v for k, v in preset.items() if k not in ("inherits", "hidden")})
    result["hidden"] = preset.get("hidden", False)
    return result


def holds(condition, host):
    if condition is None:
        return True
    if isinstance(condition, bool):
        return condition
    sides = [condition[s].replace("${hostSystemName}", host) for s in ("lhs", "rhs")]
    if condition["type"] == "equals":
        return sides[0] == sides[1]
    if condition["type"] == "notEquals":
        return sides[0] != sides[1]
    raise ValueError(f"a condition this check does not read: {condition}")


def offered(data, kind, host):
    presets = {p["name"]: p for p in data.get(kind, [])}
    result = {}
    for name in presets:
        preset = merged(presets, name)
        if not preset["hidden"] and holds(preset.get("condition"), host):
            result[name] = preset
    return result


def listed_by_cmake(cmake, source):
    """The presets `cmake --list-presets=all` names for this host, by kind."""
    out = subprocess.run([cmake, "--list-presets=all"], cwd=source, check=True,
                         capture_output=True, text=True).stdout
    listed, kind = {}, None
    for line in out.splitlines():
        heading = re.match(r"Available (\w+) presets:", line)
        if heading:
            kind = heading.group(1) + "Presets"
            listed[kind] = set()
        elif kind and line.strip().startswith('"'):
            listed[kind].add(line.strip().split('"')[1])
    return listed


def check_presets(data, listed, this_host):
    """Yields (check, failure or None) for each check made."""
    yield "schema", (f"schema version {data['version']}: Visual Studio 2022 reads {NEWEST_SCHEMA} at most"
                     if data["version"] > NEWEST_SCHEMA else None)

    # This check's reading of the conditions, against CMake's own on this host.
    for kind in ("configurePresets", "buildPresets", "testPresets"):
        expected, got = set(offered(data, kind, this_host)), listed.get(kind, set())
        yield f"{kind} on {this_host}", (f"CMake offers {sorted(got)}, this check reads {sorted(expected)}"
                                         if got != expected else None)

    builds_tests = {"buildPresets": lambda preset: True,
                    "testPresets": lambda preset: preset.get("cacheVariables", {}).get("BUILD_TESTING") != "OFF"}
    for host in HOSTS:
        configure = offered(data, "configurePresets", host)
        for kind, needs in builds_tests.items():
            presets = offered(data, kind, host)
            problems = [f"configure preset {name} has no {kind[:-7]} preset"
                        for name in sorted(set(configure) - {p["configurePreset"] for p in presets.values()})
                        if needs(configure[name])]
            problems += [f"{kind[:-7]} preset {name} is offered without its configure preset"
                         for name, preset in sorted(presets.items()) if preset["configurePreset"] not in configure]
            yield f"{kind} on {host}", "; ".join(problems) or None

    folders = {}
    all_configure = {p["name"]: p for p in data["configurePresets"]}
    for name in all_configure:
        preset = merged(all_configure, name)
        if not preset["hidden"]:
            folders.setdefault(preset.get("binaryDir"), []).append(name)
    shared = [f"{names} share {folder}" for folder, names in folders.items() if len(names) > 1]
    yield "build folders", "; ".join(shared) or None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    with open(os.path.join(args.source, "CMakePresets.json")) as f:
        data = json.load(f)
    passed = failed = 0
    for check, failure in check_presets(data, listed_by_cmake(args.cmake, args.source), platform.system()):
        if failure:
            print(f"FAIL: {check}: {failure}")
        failed += bool(failure)
        passed += not failure
    print(f"cmake_presets: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
