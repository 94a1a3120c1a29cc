#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The folders, from
# the ground up, are read from src/CMakeLists.txt (the order of its
# add_subdirectory lines), so the build and this check share one list.
# Usage: check_layers.sh SRC_DIR
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}
mapfile -t floors < <(sed -n 's/^add_subdirectory(\([a-z]*\))$/\1/p' "$src/CMakeLists.txt")
((${#floors[@]} > 1)) || { echo "no folder order found in $src/CMakeLists.txt" >&2; exit 2; }
declare -A rank
for i in "${!floors[@]}"; do rank[${floors[$i]}]=$i; done

faults=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  own=${rel%%/*}
  if [[ -z ${rank[$own]+x} ]]; then
    echo "$rel: folder '$own' is not in the folder order of src/CMakeLists.txt"
    faults=$((faults + 1))
    continue
  fi
  while IFS= read -r line; do
    target=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/p' <<<"${line#*:}")
    [[ -n $target ]] || continue
    if [[ -z ${rank[$target]+x} ]]; then
      echo "$rel:${line%%:*}: includes unknown folder '$target'"
      faults=$((faults + 1))
    elif ((rank[$target] > rank[$own])); then
      echo "$rel:${line%%:*}: '$own' includes '$target', a folder above it: ${line#*:}"
      faults=$((faults + 1))
    fi
  done < <(grep -n '#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((faults > 0)); then
  echo "$faults include(s) against the folder order: ${floors[*]}"
  exit 1
fi
echo "layering: every include goes down the folder order (${floors[*]})"
