#!/usr/bin/env bash
# Builds (Debug, AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test, checks
# formatting, runs the host from an installed prefix, and fuzzes each reader briefly when clang
# is present. Non-zero on any failure.
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

echo "== installed host"
# From an installed prefix the host must find its library by itself.
prefix="$ROOT/build/debug/installed"
rm -rf "$prefix"
cmake --install "$ROOT/build/debug" --prefix "$prefix" >/dev/null
env -u LD_LIBRARY_PATH "$prefix/bin/gamehost" --help >/dev/null
env -u LD_LIBRARY_PATH "$prefix/bin/gamehost" --db "$ROOT/data/database" --role single \
    --frames 30 >/dev/null

echo "== formatting"
bash "$ROOT/scripts/format.sh" --check

# fuzz NAME SECONDS MAX_LEN: runs one fuzzer from a scratch corpus and the seeds, with the
# target's dictionary when it has one; prints the end of its log on a finding.
fuzz() {
    local name="$1" out="$ROOT/build/fuzz"
    local work="$out/corpus-$name" extra=()
    [ -f "$ROOT/fuzz/$name.dict" ] && extra+=("-dict=$ROOT/fuzz/$name.dict")
    mkdir -p "$work"
    echo "-- fuzzing $name for $2 s, inputs up to $3 bytes"
    "$out/fuzz/${name}_fuzz" -max_total_time="$2" -rss_limit_mb=2048 -max_len="$3" \
        "${extra[@]}" -artifact_prefix="$out/" "$work" "$ROOT/fuzz/corpus/$name" \
        >"$out/$name.log" 2>&1 || { tail -40 "$out/$name.log"; exit 1; }
}

if command -v clang++ >/dev/null; then
    echo "== build (clang, fuzzers)"
    configure "$ROOT/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DGAME_FUZZ=ON -DGAME_TESTS=OFF -DGAME_BENCH=OFF -DGAME_WERROR=ON
    cmake --build "$ROOT/build/fuzz" -j "$JOBS"
    for fuzzer in "$ROOT"/build/fuzz/fuzz/*_fuzz; do
        fuzz "$(basename "$fuzzer" _fuzz)" "${FUZZ_SECONDS:-10}" 65536
    done
    # Faults that grow with the size of a save (nesting, block lengths) need larger inputs.
    fuzz io_stream "${FUZZ_LARGE_SECONDS:-5}" 1048576
fi
echo "== all passed"
