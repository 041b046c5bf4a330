#!/usr/bin/env bash
# Checks the layer rule: a folder of src/ includes only from itself and the folders below it, in this order:
# common, db, jet, core, import, then the subsystems and front ends (grid, tables, summary, analysis, print,
# cli, which may include one another), then app (the desktop program's forms). Prints every include that breaks
# it; exits 1 if any does.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
rank() {
  case "$1" in
    common) echo 0 ;; db) echo 1 ;; jet) echo 2 ;; core) echo 3 ;; import) echo 4 ;;
    grid | tables | summary | analysis | print | cli) echo 5 ;; app) echo 6 ;; *) echo -1 ;;
  esac
}
status=0
while IFS= read -r line; do
  file="${line%%:*}"
  folder="$(basename "$(dirname "$file")")"
  included="$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$line")"
  [ "$included" = "$folder" ] && continue
  from="$(rank "$folder")"
  to="$(rank "$included")"
  if [ "$to" -lt 0 ] || [ "$from" -lt 0 ] || [ "$to" -gt "$from" ]; then
    echo "layer rule broken: $line"
    status=1
  fi
done < <(grep -rn '#include "[a-z]*/' "$src" --include='*.h' --include='*.cpp')
exit $status
