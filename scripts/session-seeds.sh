#!/usr/bin/env bash
# Writes the fuzz seeds of the session's own messages (a client on its way, a client's part done,
# the session's end) from the samples `gamehost --packets` prints, so that they are the messages
# as the code writes them: run it after a change to their fields (PacketCatalogueTest says
# when). The gamehost to ask is the first argument, by default the check build's.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="${1:-$ROOT/build/check/host/gamehost}"
catalogue="$("$host" --db "$ROOT/data/database" --packets 2>/dev/null)"

# sample TYPE: the sample's bytes, as printf escapes.
sample() {
    awk -v type="$1" '
        $1 == "packet" { on = $2 == type; next }
        on && /^  [0-9a-f][0-9a-f]( |$)/ { for (i = 1; i <= NF; ++i) printf "\\x%s", $i; next }
        { on = 0 }' <<<"$catalogue"
}
# seed FILE PREFIX TYPE: the net_message fuzzer's first byte says who hears it (0 the server,
# 1 a client); net_packet's seeds have none.
seed() {
    printf "$2$(sample "$3")" >"$ROOT/fuzz/corpus/$1"
}
seed net_message/s_joining.bin '\x00' 5
seed net_message/s_host_done.bin '\x00' 127
seed net_message/c_session_ends.bin '\x01' 128
seed net_message/s_session_ends_from_client.bin '\x00' 128
seed net_packet/session_host_done.bin '' 127
seed net_packet/session_ends.bin '' 128
