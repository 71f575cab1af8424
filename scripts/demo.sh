#!/usr/bin/env bash
# Builds (Release) and runs the headless host on the bundled sample database: the class tree,
# eleven minutes of game time in single player, and a few seconds as a server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools
configure "$ROOT/build/release" -DCMAKE_BUILD_TYPE=Release -DGAME_TESTS=OFF -DGAME_BENCH=OFF
cmake --build "$ROOT/build/release" -j "$JOBS" --target gamehost >/dev/null
host="$ROOT/build/release/host/gamehost"
echo "== class tree"
"$host" --db "$ROOT/data/database" --classes
echo "== single player"
"$host" --db "$ROOT/data/database" --role single --frames 20000 "$@"
echo "== server"
"$host" --db "$ROOT/data/database" --role server --frames 150 "$@"
