#!/usr/bin/env bash
# Builds the library once (clang, AddressSanitizer + UndefinedBehaviorSanitizer, with the
# fuzzers' coverage hooks) for both the tests and the fuzzers, runs every test, runs the quest
# tests again in a g++ Release build under ThreadSanitizer, runs the host from an installed
# prefix, checks formatting and fuzzes each reader briefly. Without clang the tests build with
# g++ and the fuzzing is skipped; without clang-format the formatting check is. Each stage prints
# its wall time; non-zero on any failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools
total_start=$SECONDS

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

build="$ROOT/build/check"
options=(-DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON -DGAME_WERROR=ON -DGAME_BENCH=OFF
    -DGAME_UNITY=ON)
# Line tables only (g++ calls them -g1), and the library at -O1 (the suites' own code stays at
# -O0): stack traces keep their lines, and the tests and the fuzzers run two to six times faster
# than at -O0 for about a quarter more compilation, which the unity build more than pays for.
if have_clang; then
    options+=(-DCMAKE_CXX_COMPILER=clang++ -DGAME_FUZZ=ON -DGAME_PCH=ON
        "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only")
else
    options+=(-DCMAKE_CXX_COMPILER=g++ "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1")
fi

stage layers bash "$ROOT/scripts/layers.sh"
build_all() {
    configure "$build" "${options[@]}"
    cmake --build "$build" -j "$JOBS"
}
command -v ccache >/dev/null && ccache --zero-stats >/dev/null
stage build build_all
# Four entries more than cores: the network sessions spend much of their time waiting on the
# clock (a lost client is let go only after its link's 15 s), and the lone server waits half a
# minute for a client that never comes. On two cores the stage took 70 s at two more, 52 s at four.
stage tests ctest --test-dir "$build" --output-on-failure -j "$((JOBS + 4))" --timeout 300

# The quest state is written by a thread of its own: the quest tests run again under
# ThreadSanitizer. That build is g++'s, optimised as the demo's Release tree with warnings as
# errors, so it also keeps g++ building the game and the host warning-free, and g++ checks every
# test source's syntax with the same warnings and AddressSanitizer's flags, as the build without
# clang compiles them (a full build of the suites would cost CI's cold run on two cores about
# 80 s more).
quest_threads() {
    local tsan="$ROOT/build/gcc-tsan"
    configure "$tsan" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DGAME_TSAN=ON \
        -DGAME_WERROR=ON -DGAME_BENCH=OFF -DGAME_PCH=ON -DGAME_UNITY=ON -DGAME_TEST_SYNTAX=ON
    cmake --build "$tsan" -j "$JOBS" --target quests_tests gamehost tests_syntax
    GAME_SOURCE_DIR="$ROOT" TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
        "$tsan/tests/quests_tests" --gtest_brief=1
    # g++'s sanitizer runtimes are libraries of their own that stand between the program and the
    # loader (they intercept dlopen): its program must still find its host and play.
    sh "$ROOT/tests/SearchPaths.sh" "$tsan"
    "$tsan/host/gamehost" --db "$ROOT/data/database" --role single --frames 30 >/dev/null
}
stage "g++ build, test syntax, quest tests under ThreadSanitizer" quest_threads

installed_host() {
    # From an installed prefix the host must find its library by itself.
    local prefix="$build/installed"
    rm -rf "$prefix"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    env -u LD_LIBRARY_PATH "$prefix/bin/gamehost" --help >/dev/null
    env -u LD_LIBRARY_PATH "$prefix/bin/gamehost" --db "$ROOT/data/database" --role single \
        --frames 30 >/dev/null
}
stage "installed host" installed_host
if command -v clang-format >/dev/null; then
    stage formatting bash "$ROOT/scripts/format.sh" --check
else
    echo "-- formatting: skipped without clang-format"
fi

# fuzz NAME SECONDS MAX_LEN: runs one fuzzer from a scratch corpus and the seeds, with the
# target's dictionary when it has one; prints the end of its log on a finding.
fuzz() {
    local name="$1" out="$build/fuzzing"
    local work="$out/corpus-$name-$3" extra=()
    [ -f "$ROOT/fuzz/$name.dict" ] && extra+=("-dict=$ROOT/fuzz/$name.dict")
    # A fresh scratch corpus each run: the start-up replays every input in it, so one kept from
    # earlier runs would make each run longer than the last.
    rm -rf "$work" && mkdir -p "$work"
    echo "-- fuzzing $name for $2 s, inputs up to $3 bytes"
    # The entropic scheduler weighs every feature an input touches after every run: an input
    # that starts a whole game touches some 200,000, and the net_packet seeds then took 150 s
    # to replay instead of 17. The plain scheduler keeps the same coverage feedback.
    # libFuzzer stops only once the whole seconds past its start exceed the limit, a second late.
    local limit=$(($2 > 1 ? $2 - 1 : 1))
    "$build/fuzz/${name}_fuzz" -max_total_time="$limit" -rss_limit_mb=2048 -max_len="$3" \
        -entropic=0 "${extra[@]}" -artifact_prefix="$out/$name-" "$work" "$ROOT/fuzz/corpus/$name" \
        >"$out/$name-$3.log" 2>&1 || { tail -40 "$out/$name-$3.log"; return 1; }
}
# Each fuzzer is one process on one core: they run $JOBS at a time.
fuzzing() {
    local runs=() failed=0 name
    # The largest seed corpus first: its start-up replay is the longest run, and started last it
    # would leave the other cores idle while it finishes.
    for name in $(for fuzzer in "$build"/fuzz/*_fuzz; do
        name="$(basename "$fuzzer" _fuzz)"
        echo "$(find "$ROOT/fuzz/corpus/$name" -type f 2>/dev/null | wc -l) $name"
    done | sort -rn | cut -d' ' -f2); do
        # Three seconds each: with more targets the stage takes no longer than it did at five,
        # and at -O1 three seconds run more inputs than five did at -O0.
        runs+=("$name ${FUZZ_SECONDS:-3} 65536")
    done
    # Faults that grow with the size of a save (nesting, block lengths) need larger inputs.
    runs+=("io_stream ${FUZZ_LARGE_SECONDS:-5} 1048576")
    for run in "${runs[@]}"; do
        while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
            wait -n || failed=1
        done
        # shellcheck disable=SC2086
        fuzz $run &
    done
    while [ "$(jobs -rp | wc -l)" -gt 0 ]; do
        wait -n || failed=1
    done
    return "$failed"
}
if have_clang; then
    stage fuzzing fuzzing
else
    echo "-- fuzzing: skipped without clang"
fi
if command -v ccache >/dev/null; then
    ccache --print-stats 2>/dev/null | awk -F'\t' '
        $1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hits += $2 }
        $1 == "cache_miss" { misses += $2 }
        END { if (hits + misses > 0) printf "-- compiler cache: %d hits, %d misses (%.0f%%)\n", hits, misses, 100 * hits / (hits + misses) }'
fi
echo "== all passed in $((SECONDS - total_start)) s"
