#!/usr/bin/env bash
# Checks that the layers only include downwards: engine/ sees engine/ and core/, core/ sees no
# subsystem and not the hub. Prints every offending include; non-zero when there is one.
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
# The transport's library belongs to the engine layer alone.
enet="$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<enet/' --include='*.h' --include='*.cpp' \
    . 2>/dev/null | grep -v '^\./engine/' | grep -v '^\./build' || true)"
if [ -n "$enet" ]; then
    echo "$enet" | sed 's|^|layering: only engine/ may include <enet/enet.h>: |'
    status=1
fi
[ "$status" -eq 0 ] && echo "layers: engine/ and core/ include nothing above them"
exit "$status"
