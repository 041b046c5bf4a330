#!/usr/bin/env bash
# Runs Lotwise on the demo auction: batch-imports the demo round results files (auction 11, rounds 1-12) into a
# demo auction database in a demo home directory, then lists its tables and rounds.
set -euo pipefail
build="${1:-build}"
cli="$build/bin/lotwise-cli"
home="$build/demo-home"
mkdir -p "$home"
db=$("$cli" --home "$home" --yes batch-import demo/rounds/11_001.zip)
echo "Demo auction database: $db"
"$cli" tables --db "$db"
"$cli" rounds --db "$db"
