#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for its share of one budget of
# seconds. The shares follow the weights in tests/fuzz/weights (1 for a
# target not listed there), so that the slow readers get the inputs they
# need; a line there may add libFuzzer options of the target's own. A target
# that crashes, hangs past the unit timeout or leaves its checks unmet fails
# the run.
#   scripts/fuzz.sh BUILD_DIR BUDGET_SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
budget=$2
weights=tests/fuzz/weights
# Seconds one input may take before it counts as a hang.
unit_timeout=5
# The least a target runs, however many share the budget.
min_seconds=5

weight_of() {
  awk -v target="$1" '$1 == target { print $2; found = 1 } END { if (!found) print 1 }' "$weights"
}
options_of() {
  awk -v target="$1" '$1 == target { $1 = $2 = ""; print }' "$weights"
}

targets=()
for f in "$build"/tests/fuzz/*Fuzz; do [ -x "$f" ] && targets+=("$f"); done
[ ${#targets[@]} -gt 0 ] || exit 0
total=0
for f in "${targets[@]}"; do total=$((total + $(weight_of "$(basename "$f")"))); done

mkdir -p "$build/fuzz-artifacts"
for f in "${targets[@]}"; do
  name=$(basename "$f")
  seconds=$((budget * $(weight_of "$name") / total))
  [ $seconds -ge $min_seconds ] || seconds=$min_seconds
  corpus=tests/fuzz/corpus/$name
  mkdir -p "$build/corpus/$name"
  echo "== $name for $seconds s"
  # Leaks are not looked for (as in the sanitizer tests), so libFuzzer need
  # not run an input twice to find them.
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$f" -max_total_time="$seconds" -max_len=4096 \
    -timeout=$unit_timeout -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$name-" \
    $(options_of "$name") "$build/corpus/$name" $([ -d "$corpus" ] && echo "$corpus") || { echo "== $name failed"; exit 1; }
done
