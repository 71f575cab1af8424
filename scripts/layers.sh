#!/usr/bin/env bash
# Checks that the layers only include downwards: engine/ and core/ (one floor) see nothing above
# them, the subsystems see the hub only through its header and the few small hub types they are
# handed, neither they nor the hub see the host, and the host's program sees none of its showcase
# scenarios but through the dispatch of GameHost.cpp. Prints every offending include; non-zero
# when there is one.
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
for folder in characters combat skills ai items world quests multiplayer game; do
    report "$folder" host
done
# The hub headers a subsystem may include; the README names the same list.
hub='GameEngine|ActivityManager|TeleportConfirmActivity|RespawnActivity|EndGameActivity|UINotification|GameUIInterface|MinimapGameNugget'
for folder in characters combat skills ai items world quests multiplayer; do
    hits="$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"game/' "$folder"/*.h "$folder"/*.cpp \
        2>/dev/null | grep -vE "\"game/($hub)\.h\"" || true)"
    if [ -n "$hits" ]; then
        echo "$hits" | sed "s|^|layering: $folder/ may include only the hub headers the README names: |"
        status=1
    fi
done
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
[ "$status" -eq 0 ] && echo "layers: engine/ and core/ include nothing above them; the subsystems" \
    "include only the eight hub headers the README names and no host/; host/ starts its scenarios only in GameHost.cpp"
exit "$status"
