#!/usr/bin/env bash
# Builds (Release) and runs the headless host on the bundled sample database.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools
configure "$ROOT/build/release" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=OFF
cmake --build "$ROOT/build/release" -j "$JOBS" --target gamehost
"$ROOT/build/release/host/gamehost" --db "$ROOT/data/database" --classes --frames 300 "$@"
