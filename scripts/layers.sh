#!/usr/bin/env bash
# Checks that the layers only include downwards: engine/ sees engine/ and core/, core/ sees no
# subsystem and not the hub, and the host's program sees none of its showcase scenarios but
# through the dispatch of GameHost.cpp. Prints every offending include; non-zero when there is one.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

subsystems='characters|combat|skills|ai|items|world|quests|multiplayer|game|host'
status=0
report() {
    # $1 folder, $2 pattern of folders it must not include
    local hits
    hits="$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($2)/" \
        "$1"/*.h "$1"/*.cpp 2>/dev/null || true)"
    if [ -n "$hits" ]; then
        echo "$hits" | sed "s|^|layering: $1/ may not include this: |"
        status=1
    fi
}
report core "$subsystems"
report engine "$subsystems"
# The scenarios use the program's pieces; the program starts them in one place only.
scenarios="$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"host/scenarios/' \
    host/*.h host/*.cpp 2>/dev/null | grep -v '^host/GameHost\.cpp:' || true)"
if [ -n "$scenarios" ]; then
    echo "$scenarios" | sed 's|^|layering: host/ may include host/scenarios/ only in GameHost.cpp: |'
    status=1
fi
# The transport's library belongs to the engine layer alone.
enet="$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<enet/' --include='*.h' --include='*.cpp' \
    . 2>/dev/null | grep -v '^\./engine/' | grep -v '^\./build' || true)"
if [ -n "$enet" ]; then
    echo "$enet" | sed 's|^|layering: only engine/ may include <enet/enet.h>: |'
    status=1
fi
[ "$status" -eq 0 ] && echo "layers: engine/ and core/ include nothing above them; host/ starts its scenarios only in GameHost.cpp"
exit "$status"
