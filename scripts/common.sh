# Shared by the scripts: the repository root and the tools the build needs, installed with
# apt-get when run as root on a machine that lacks them.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 2)}"

# The clang tools and the compiler cache are optional: without clang the tests build with g++ and
# fuzzing is skipped, without clang-format the formatting check is, without ccache every build
# compiles afresh. Root installs them with the rest.
ensure_tools() {
    local missing=() optional=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    command -v g++ >/dev/null || missing+=(g++)
    command -v clang++ >/dev/null || optional+=(clang)
    command -v clang-format >/dev/null || optional+=(clang-format)
    command -v ccache >/dev/null || optional+=(ccache)
    [ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
    [ -f /usr/include/gmock/gmock.h ] || missing+=(libgmock-dev)
    [ -f /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
    # The peer that bench/equation_bench.cpp measures the designer equations against.
    [ -f /usr/include/muParser.h ] || missing+=(libmuparser-dev)
    # The network transport, linked into the engine layer only.
    [ -f /usr/include/enet/enet.h ] || missing+=(libenet-dev)
    command -v pkg-config >/dev/null || missing+=(pkg-config)
    if command -v clang++ >/dev/null && ! have_fuzzer_runtime; then
        optional+=(libclang-rt-dev)
    fi
    [ $((${#missing[@]} + ${#optional[@]})) -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
        echo "== installing: ${missing[*]} ${optional[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" "${optional[@]}" \
                >/dev/null &&
            use_compiler_cache
    elif [ ${#missing[@]} -gt 0 ]; then
        echo "missing tools: ${missing[*]} (run as root to install them)" >&2
        return 1
    else
        echo "-- going on without ${optional[*]} (run as root to install them)"
    fi
}

have_fuzzer_runtime() {
    ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1
}

# clang with its fuzzer runtime builds the tests and the fuzzers; otherwise g++ builds the tests.
have_clang() {
    command -v clang++ >/dev/null && have_fuzzer_runtime
}

# The compiler cache: paths under the repository are hashed relative to it and the working
# folder is left out, so a fresh clone elsewhere on this machine reuses the working tree's
# objects. The cache stays in its usual place under the user's home. Chosen again once
# ensure_tools has run, so that the run which installs ccache already fills the cache.
use_compiler_cache() {
    CACHE_LAUNCHER=()
    command -v ccache >/dev/null || return 0
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    # pch_defines and time_macros let objects built on precompiled headers be cached.
    export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
    # The settings travel with the launcher, so that a build started by hand (cmake --build)
    # files its objects where a fresh clone will look for them.
    CACHE_LAUNCHER=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_BASEDIR=$ROOT;CCACHE_NOHASHDIR=1;CCACHE_SLOPPINESS=$CCACHE_SLOPPINESS;ccache")
}
use_compiler_cache

# stage NAME COMMAND...: runs one stage and prints its wall time on one line.
stage() {
    local name="$1" start=$SECONDS; shift
    echo "== $name"
    "$@"
    echo "-- $name: $((SECONDS - start)) s"
}

# configure DIR [cmake options...]: configures once, then only when options change.
configure() {
    local dir="$1"; shift
    set -- "$@" "${CACHE_LAUNCHER[@]}"
    local stamp="$dir/.configure-args"
    if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$*" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null && echo "$*" >"$stamp"
    fi
}

# The demo's Release tree, built with the default compiler (g++) and its warnings as errors.
build_release_host() {
    configure "$ROOT/build/release" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=OFF \
        -DGAME_WERROR=ON
    cmake --build "$ROOT/build/release" -j "$JOBS" --target gamehost
}
