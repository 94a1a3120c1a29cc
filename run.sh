#!/usr/bin/env bash
# Installs what is missing, builds Landora (Release) and starts it from the
# build folder, with the shipped data set beside it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/setup.sh
build=${LANDORA_BUILD_DIR:-build/release}
[[ -f "$build/CMakeCache.txt" ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target landora
exec "$build/bin/landora" "$@"
