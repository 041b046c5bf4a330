#!/usr/bin/env bash
# Runs Lotwise on the demo data: converts the first demo round results file and lists its tables.
set -euo pipefail
build="${1:-build}"
cli="$build/bin/lotwise-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q -o demo/rounds/11_001.zip -d "$work"
"$cli" convert "$work/11_001.mdb" "$work/11_001.sqlite"
"$cli" tables --db "$work/11_001.sqlite"
