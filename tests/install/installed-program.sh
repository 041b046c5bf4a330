#!/usr/bin/env bash
# The installed program works with its source and build folders gone: it is installed into a scratch prefix, both
# folders are hidden (an empty tmpfs mounted over each, in a private mount namespace, which needs root), and the
# installed lotwise-cli then batch-imports three rounds (through the installed converter process) while the help
# book and demo files are where the program looks for them. Skipped (exit 77) without root.
set -euo pipefail
source_dir="$1"
build_dir="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
if ! unshare -m true 2>/dev/null; then
  echo "skipped: cannot make a private mount namespace here (needs root)"
  exit 77
fi
cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
mkdir -p "$scratch/rounds" "$scratch/home"
cp "$source_dir"/tests/data/auction-11/11_00[123].zip "$scratch/rounds/"
export SCRATCH="$scratch" SOURCE_DIR="$source_dir" BUILD_DIR="$build_dir"
unshare -m bash -c '
  set -euo pipefail
  mount -t tmpfs none "$BUILD_DIR"  # first: it may lie inside the source folder
  mount -t tmpfs none "$SOURCE_DIR"
  prefix="$SCRATCH/prefix"
  test -f "$prefix/share/lotwise/help/index.html"
  test -f "$prefix/share/lotwise/demo/rounds/11_001.zip"
  "$prefix/bin/lotwise-cli" --home "$SCRATCH/home" batch-import "$SCRATCH/rounds/11_001.zip" >/dev/null
  rounds="$("$prefix/bin/lotwise-cli" rounds --db "$SCRATCH/home/Auction11.mdb" | tr "\n" " ")"
  test "$rounds" = "Round 3 2 1 " || { echo "rounds: $rounds"; exit 1; }
'
echo "the installed program works without its source and build folders"
