#!/usr/bin/env bash
# Builds (Release) and runs every benchmark program; extra arguments go to each program
# (e.g. --benchmark_filter=IsA).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools
build_bench() {
    configure "$ROOT/build/release-bench" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF \
        -DGAME_BENCH=ON
    cmake --build "$ROOT/build/release-bench" -j "$JOBS"
}
stage build build_bench
for program in "$ROOT"/build/release-bench/bench/*_bench; do
    stage "$(basename "$program")" "$program" "$@"
done
