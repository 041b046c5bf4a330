#!/usr/bin/env bash
# Runs Lotwise on the demo data: converts the demo auction's round 1 results file and lists its tables with
# their row counts.
set -euo pipefail
build="${1:-build}"
cli="$build/bin/lotwise-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$cli" --home "$work" convert demo/rounds/11_001.zip "$work/11_001.sqlite"
"$cli" tables --db "$work/11_001.sqlite"
