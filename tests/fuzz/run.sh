#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset: clang, AddressSanitizer,
# UBSan) and runs each for a while on its corpus. Inputs that reach new code
# are merged into the target's corpus in the repo (only those that add
# coverage); a crash leaves its input in build/fuzz/work/<target>/.
#
#   tests/fuzz/run.sh [seconds per target] [target ...]
#
# Targets: loader (catalogue and texts) areas lakes places sea scores settings.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
tools/setup.sh
tools/setup.sh tools/fuzz-packages.txt
seconds=${1:-600}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(loader areas lakes places sea scores settings)

[[ -f build/fuzz/CMakeCache.txt ]] || cmake --preset fuzz -DLANDORA_BENCH=OFF
cmake --build build/fuzz --target "${targets[@]/%/_fuzz}"

for target in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$target
  options=()
  [[ $target == loader ]] && options+=(-dict=tests/fuzz/loaders.dict)
  work=build/fuzz/work/$target
  rm -rf "$work/found"
  mkdir -p "$work/found" "$work/crashes"
  # Every input the run finds goes to found/; the corpus is read, not written.
  "build/fuzz/tests/${target}_fuzz" "${options[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/crashes/" "$work/found" "$corpus" 2>&1 | tee "$work/log"
  # Only what adds coverage to the corpus is kept.
  "build/fuzz/tests/${target}_fuzz" -merge=1 "$corpus" "$work/found" 2>&1 | tail -n 3 | tee -a "$work/log"
done
