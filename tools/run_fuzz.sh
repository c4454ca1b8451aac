#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a chosen time each.
# Usage: tools/run_fuzz.sh BUILD_DIR SECONDS
# New inputs go to BUILD_DIR/fuzz/found_<name>; crashes stop the script.
set -euo pipefail
build=${1:?build folder}
seconds=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=detect_leaks=0
for bin in "$build"/bin/fuzz_*; do
    name=${bin##*/fuzz_}
    found="$build/fuzz/found_$name"
    mkdir -p "$found"
    echo "== $name: ${seconds}s"
    "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$build/fuzz/crash_${name}_" "$found" "$src/fuzz/corpus/$name"
done
