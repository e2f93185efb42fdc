#!/usr/bin/env bash
# Usage: relative-paths.sh SOURCE_DIR BINARY_DIR TOOL [ARGUMENTS...]
#
# clang-cl records its command line in each object's debug information and
# lld-link records its own in the PDB, so the absolute source and build
# folders that CMake passes would make the DLL and PDB of every clone differ.
# This runs TOOL with those two folders in its arguments made relative to the
# working folder; the build of a clone in another place then sees the same
# arguments.
set -eu
# clang 16 and later also record SOURCE_DATE_EPOCH, which ./scripts/package
# sets for the archive's dates, in each object's command line: the objects
# would then differ between a build with it and one without, and a build
# folder would keep objects made under an older commit's date.
unset SOURCE_DATE_EPOCH
source_dir=$1
binary_dir=$2
shift 2
relative_source=$(realpath -m --relative-to=. "$source_dir")
relative_binary=$(realpath -m --relative-to=. "$binary_dir")
arguments=()
for argument in "$@"; do
    # The build folder may lie inside the source folder: it goes first.
    argument=${argument//"$binary_dir/"/"$relative_binary/"}
    [[ $argument == *"$binary_dir" ]] && argument=${argument%"$binary_dir"}$relative_binary
    argument=${argument//"$source_dir/"/"$relative_source/"}
    [[ $argument == *"$source_dir" ]] && argument=${argument%"$source_dir"}$relative_source
    arguments+=("$argument")
done
exec "${arguments[@]}"
