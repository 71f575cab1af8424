#!/usr/bin/env bash
# Builds (Debug, AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test, checks
# formatting, and fuzzes each reader briefly when clang is present. Non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

echo "== layers"
bash "$ROOT/scripts/layers.sh"

echo "== build (debug, sanitizers)"
configure "$ROOT/build/debug" -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON -DGAME_WERROR=ON -DGAME_BENCH=OFF
cmake --build "$ROOT/build/debug" -j "$JOBS"

echo "== tests"
ctest --test-dir "$ROOT/build/debug" --output-on-failure -j "$JOBS" --timeout 300

echo "== formatting"
bash "$ROOT/scripts/format.sh" --check

if command -v clang++ >/dev/null; then
    echo "== build (clang, fuzzers)"
    configure "$ROOT/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DGAME_FUZZ=ON -DGAME_TESTS=OFF -DGAME_BENCH=OFF -DGAME_WERROR=ON
    cmake --build "$ROOT/build/fuzz" -j "$JOBS"
    for fuzzer in "$ROOT"/build/fuzz/fuzz/*_fuzz; do
        name="$(basename "$fuzzer" _fuzz)"
        work="$ROOT/build/fuzz/corpus-$name"
        mkdir -p "$work"
        echo "-- fuzzing $name"
        "$fuzzer" -max_total_time="${FUZZ_SECONDS:-10}" -rss_limit_mb=2048 -max_len=65536 \
            -artifact_prefix="$ROOT/build/fuzz/" "$work" "$ROOT/fuzz/corpus/$name" \
            >"$ROOT/build/fuzz/$name.log" 2>&1 ||
            { tail -40 "$ROOT/build/fuzz/$name.log"; exit 1; }
    done
fi
echo "== all passed"
