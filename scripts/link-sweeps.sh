#!/usr/bin/env bash
# Network sessions over the tests' bad network (udp_relay), too long for the test run: each sweep
# prints one line a session and what it shows. Run by hand after a change to the link, the door
# or the end:
#   scripts/link-sweeps.sh [cut|load|lossy|worlds|slow|crowd|link]...   (the first four by default)
# cut:    the pack, the second client's link cut 14 s from 1.7-1.9 s after it starts, both ways,
#         only its own way (up) and only the server's (down), eight seeds each: every machine 0,
#         one digest.
# load:   the village with 5,000 more jackals, a third client while the two load (held still 6 s
#         after their welcome): no place given.
# lossy:  four level sessions side by side on two cores, each client at 33% loss and 300 ms each
#         way: every machine 0, one digest a session.
# worlds: a level client at a pack server is refused at the welcome, status 4.
# slow:   two sessions of the village with 9,900 more jackals side by side on one core (CORE, 3 by
#         default), --ms 33, a client each: when it joined, whether it plays 60 s on, and each
#         server's error lines but the monsters'.
# crowd:  the village for fifteen clients, client i losing 20% + 13% (i-1)/14 each way, 100-300 ms:
#         every machine 0, one digest, the server's mean frame.
# link:   the village with 9,900 more jackals, one client direct and one through a relay of
#         64 KiB/s each way with a 32 KiB queue, and beside it 256 KiB/s with 52 KiB: what it dropped
#         at its queue and forwarded, when the slow client joined, how many of the monster deaths
#         the direct client printed it printed and how late at most, or that it was told too slow;
#         statuses, digests, the server's mean frame.
# GAMEHOST and RELAY name the programs (by default the Release host and the check build's relay);
# KEEP=1 keeps every machine's output.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
HOST="${GAMEHOST:-$ROOT/build/release/host/gamehost}"
RELAY="${RELAY:-$ROOT/build/check/tests/udp_relay}"
DB="$ROOT/data/database"
work="$(mktemp -d)"
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n "${KEEP:-}" ]]; then echo "kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# port_of FILE: the port its program printed it listens on, once it has (a server of a big level
# loads it first); its lines may be stamped.
port_of() {
    local port=""
    for _ in $(seq 3600); do
        port="$(sed -n 's/^\([0-9.]* \)\?\(listening\|relay\) on 127.0.0.1://p' "$1" 2>/dev/null)"
        [[ -n "$port" ]] && break
        sleep 0.05
    done
    echo "$port"
}

# digests DIR: how many different end digests its machines printed.
digests() {
    cat "$1"/*.out | sed -n 's/^end: digest //p' | sort -u | wc -l
}

# session DIR CUT WAY SEED [server options...]: a server for two, one client direct and one
# through a relay that cuts its link CUT (AT-LENGTH, or "" for none) the WAY given.
session() {
    local dir="$1" cut="$2" way="$3" seed="$4"
    shift 4
    mkdir -p "$dir"
    "$HOST" --db "$DB" --role server --port 0 --clients 2 "$@" >"$dir/server.out" \
        2>"$dir/server.err" &
    local server=$!
    started+=("$server")
    local port
    port="$(port_of "$dir/server.out")"
    local relay_options=(--target "$port" --seed "$seed")
    [[ -n "$cut" ]] && relay_options+=(--cut "$cut" --cut-way "$way")
    "$RELAY" "${relay_options[@]}" >"$dir/relay.log" 2>&1 &
    local relay=$!
    started+=("$relay")
    local through
    through="$(port_of "$dir/relay.log")"
    "$HOST" --db "$DB" --role client --connect "127.0.0.1:$port" "${SCENARIO[@]}" \
        >"$dir/a.out" 2>"$dir/a.err" &
    local a=$!
    "$HOST" --db "$DB" --role client --connect "127.0.0.1:$through" "${SCENARIO[@]}" \
        >"$dir/b.out" 2>"$dir/b.err" &
    local b=$!
    local status=()
    for pid in "$server" "$a" "$b"; do
        wait "$pid" && status+=(0) || status+=($?)
    done
    kill "$relay" 2>/dev/null || true
    wait "$relay" || true
    echo "${status[*]} digests $(digests "$dir"), relay $(sed -n 's/^relay: //p' "$dir/relay.log")"
}

cut_sweep() {
    SCENARIO=(--scenario pack)
    # Four sessions at a time.
    for way in both up down; do
        for half in 0 4; do
            for seed in $((half + 1)) $((half + 2)) $((half + 3)) $((half + 4)); do
                local at=$((1700 + (seed - 1) * 25))
                local dir="$work/cut-$way-$seed"
                (
                    result="$(session "$dir" "$at-14000" "$way" "$seed" --scenario pack)"
                    echo "cut $way seed $seed at $at ms: statuses $result" \
                        "$(cat "$dir"/*.err | sort -u | paste -sd'|' -)"
                ) &
            done
            wait
        done
    done
}

# crowd LEVEL JACKALS: the village with that many more jackals, east of it, and its routes.
crowd() {
    local level="$1" name="${1%.lvl}"
    cp "$DB/Levels/Village.lvl" "$level"
    for route in route client1.route client2.route; do
        cp "$DB/Levels/Village.$route" "$name.$route"
    done
    for i in $(seq 0 $(($2 - 1))); do
        echo "Records/Creatures/Monster/Village/PackJackal.dbr 1 $((150 + i % 20)) 0 $((i / 20 % 80 - 40)) 270 - -"
    done >>"$level"
}

load_sweep() {
    local level="$work/crowd.lvl"
    crowd "$level" 5000
    local dir="$work/load"
    mkdir -p "$dir"
    "$HOST" --db "$DB" --role server --port 0 --clients 2 --level "$level" >"$dir/server.out" \
        2>"$dir/server.err" &
    started+=($!)
    local port
    port="$(port_of "$dir/server.out")"
    local loading=()
    for client in a b; do
        "$HOST" --db "$DB" --role client --connect "127.0.0.1:$port" --level "$level" \
            >"$dir/$client.out" 2>"$dir/$client.err" &
        loading+=($!)
        started+=($!)
    done
    # Both welcomed, then held still 6 s as a long load would, without a word.
    for client in a b; do
        for _ in $(seq 600); do
            grep -q "^joined as host" "$dir/$client.out" && break
            sleep 0.05
        done
    done
    kill -STOP "${loading[@]}"
    sleep 6
    "$HOST" --db "$DB" --role client --connect "127.0.0.1:$port" --level "$level" \
        >"$dir/c.out" 2>"$dir/c.err" &
    local third=$!
    sleep 2
    kill -CONT "${loading[@]}"
    local status=0
    wait "$third" || status=$?
    echo "load: third client status $status: $(tail -1 "$dir/c.err")"
    echo "load: places given: $(grep -c "gave its place" "$dir/server.err" || true)," \
        "joined: $(grep -c "joined: player" "$dir/server.out" || true)"
}

lossy_sweep() {
    SCENARIO=()
    local pids=()
    for run in 1 2 3 4; do
        (
            local dir="$work/lossy-$run"
            mkdir -p "$dir"
            taskset -c 0,1 "$HOST" --db "$DB" --role server --port 0 --clients 2 \
                >"$dir/server.out" 2>"$dir/server.err" &
            local server=$!
            local port
            port="$(port_of "$dir/server.out")"
            local status=()
            local clients=()
            local relays=()
            for client in a b; do
                "$RELAY" --target "$port" --seed "$run" --loss 33 --delay 300-300 \
                    >"$dir/relay-$client.log" 2>&1 &
                relays+=($!)
                local through
                through="$(port_of "$dir/relay-$client.log")"
                taskset -c 0,1 "$HOST" --db "$DB" --role client --connect "127.0.0.1:$through" \
                    >"$dir/$client.out" 2>"$dir/$client.err" &
                clients+=($!)
            done
            for pid in "$server" "${clients[@]}"; do
                wait "$pid" && status+=(0) || status+=($?)
            done
            kill "${relays[@]}" 2>/dev/null || true
            echo "lossy $run: statuses ${status[*]} digests $(digests "$dir")" \
                "$(cat "$dir"/*.err | sort -u | paste -sd'|' -)"
        ) &
        pids+=($!)
    done
    wait "${pids[@]}"
}

# playing DIR: whether its client is in and has not left (or ended badly), its server lost no one.
playing() {
    grep -q "^host 1 joined: player" "$1/server.out" &&
        ! grep -q "lost\|dropped" "$1/server.out" "$1/server.err" &&
        ! grep -q "^gamehost: " "$1/a.err"
}

slow_sweep() {
    local level="$work/slow.lvl"
    crowd "$level" 9900
    local pids=()
    for run in 1 2; do
        (
            local dir="$work/slow-$run"
            mkdir -p "$dir"
            taskset -c "${CORE:-3}" "$HOST" --db "$DB" --role server --port 0 --clients 1 \
                --level "$level" --ms 33 >"$dir/server.out" 2>"$dir/server.err" &
            local server=$!
            local port
            port="$(port_of "$dir/server.out")"
            taskset -c "${CORE:-3}" "$HOST" --db "$DB" --role client --connect "127.0.0.1:$port" \
                --level "$level" --ms 33 >"$dir/a.out" 2>"$dir/a.err" &
            local client=$!
            local joined=0
            while ((joined < 300)) && kill -0 "$client" 2>/dev/null &&
                ! grep -q "^host 1 joined: player" "$dir/server.out"; do
                sleep 1
                joined=$((joined + 1))
            done
            sleep 60
            local state="not playing"
            playing "$dir" && state=playing
            kill "$server" "$client" 2>/dev/null || true
            wait "$server" "$client" 2>/dev/null || true
            echo "slow $run: joined after ${joined} s, $state 60 s on, server error lines" \
                "$(grep -vc "PickRandomPointInVicinity" "$dir/server.err")," \
                "$(cat "$dir"/*.err | grep -v PickRandomPointInVicinity | sort -u | head -5 |
                    paste -sd'|' -)"
        ) &
        pids+=($!)
    done
    wait "${pids[@]}"
}

# crowd: the village for fifteen clients, client i through a relay losing 20% + 13% (i-1)/14 each
# way, 100-300 ms: every machine 0, one digest, the server's mean frame.
crowd_sweep() {
    local dir="$work/crowd" level="$work/crowd/crowd15.lvl"
    mkdir -p "$dir"
    cp "$DB/Levels/Village.lvl" "$level"
    cp "$DB/Levels/Village.route" "$dir/crowd15.route"
    for i in $(seq 1 15); do
        cp "$DB/Levels/Village.client$((i < 2 ? 1 : 2)).route" "$dir/crowd15.client$i.route"
    done
    "$HOST" --db "$DB" --role server --port 0 --clients 15 --level "$level" >"$dir/server.out" \
        2>"$dir/server.err" &
    local server=$!
    started+=("$server")
    local port
    port="$(port_of "$dir/server.out")"
    local clients=()
    for i in $(seq 1 15); do
        "$RELAY" --target "$port" --seed "$i" --loss $((20 + 13 * (i - 1) / 14)) \
            --delay 100-300 >"$dir/relay-$i.log" 2>&1 &
        started+=($!)
        local through
        through="$(port_of "$dir/relay-$i.log")"
        "$HOST" --db "$DB" --role client --connect "127.0.0.1:$through" --level "$level" \
            >"$dir/c$i.out" 2>"$dir/c$i.err" &
        clients+=($!)
    done
    local status=()
    for pid in "$server" "${clients[@]}"; do
        wait "$pid" && status+=(0) || status+=($?)
    done
    echo "crowd: statuses ${status[*]} digests $(digests "$dir"), server" \
        "$(grep "^frame cost" "$dir/server.out")," \
        "$(grep "^messages" "$dir/server.out")" \
        "$(cat "$dir"/*.err | sort -u | head -5 | paste -sd'|' -)"
}

# stamp: each line, after the wall time it was read at.
stamp() {
    local line
    while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done
}

# link_session DIR RATE QUEUE LEVEL: client a direct, b through a relay of RATE KiB/s each way
# with a QUEUE KiB queue; every machine's lines stamped.
link_session() {
    local dir="$1" rate="$2" queue="$3" level="$4"
    mkdir -p "$dir"
    (
        "$HOST" --db "$DB" --role server --port 0 --clients 2 --level "$level" \
            2>"$dir/server.err" | stamp >"$dir/server.out"
        exit "${PIPESTATUS[0]}"
    ) &
    local server=$!
    started+=("$server")
    local port
    port="$(port_of "$dir/server.out")"
    "$RELAY" --target "$port" --rate "$rate" --queue "$queue" >"$dir/relay.log" 2>&1 &
    local relay=$!
    started+=("$relay")
    local through
    through="$(port_of "$dir/relay.log")"
    local start="$EPOCHREALTIME" clients=() status=()
    for client in a:"$port" b:"$through"; do
        (
            "$HOST" --db "$DB" --role client --connect "127.0.0.1:${client#*:}" --level "$level" \
                2>"$dir/${client%%:*}.err" | stamp >"$dir/${client%%:*}.out"
            exit "${PIPESTATUS[0]}"
        ) &
        clients+=($!)
    done
    for pid in "$server" "${clients[@]}"; do
        wait "$pid" && status+=(0) || status+=($?)
    done
    kill "$relay" 2>/dev/null || true
    wait "$relay" || true
    local ends
    ends="$(cat "$dir"/*.out | sed -n 's/^\([0-9.]* \)\?end: digest //p' | sort -u | wc -l)"
    echo "link ${rate} KiB/s, ${queue} KiB queue: statuses ${status[*]} digests $ends," \
        "relay $(sed -n 's/^relay: //p' "$dir/relay.log");" \
        "$(awk -v start="$start" '
            FILENAME ~ /b.out$/ && / joined as host/ { host = $5 }
            FILENAME ~ /server.out$/ && $2 == "host" && $3 == host && $4 == "joined:" {
                joined = $1 - start
            }
            / monster [0-9]+ died$/ {
                if (FILENAME ~ /a.out$/) a[$3] = $1; else if (FILENAME ~ /b.out$/) b[$3] = $1
            }
            END {
                for (id in a) { ++direct; if (id in b) { ++slow; if (b[id] - a[id] > late) late = b[id] - a[id] } }
                printf "slow client joined %.0f s after start, printed %d of the direct one'"'"'s %d monster deaths, at most %.1f s later", joined, slow, direct, late
            }' "$dir/a.out" "$dir/b.out" "$dir/server.out");" \
        "server $(sed -n 's/^[0-9.]* \(frame cost\)/\1/p' "$dir/server.out");" \
        "$(cat "$dir"/*.err | grep -v PickRandomPointInVicinity | sort -u | head -5 | paste -sd'|' -)"
}

link_sweep() {
    local level="$work/link.lvl"
    crowd "$level" 9900
    link_session "$work/link-64" 64 32 "$level" &
    local first=$!
    link_session "$work/link-256" 256 52 "$level"
    wait "$first"
}

worlds_sweep() {
    local dir="$work/worlds"
    mkdir -p "$dir"
    "$HOST" --db "$DB" --role server --port 0 --scenario pack >"$dir/server.out" \
        2>"$dir/server.err" &
    local server=$!
    started+=("$server")
    local port
    port="$(port_of "$dir/server.out")"
    local status=0
    "$HOST" --db "$DB" --role client --connect "127.0.0.1:$port" >"$dir/c.out" 2>"$dir/c.err" ||
        status=$?
    kill "$server" 2>/dev/null || true
    echo "worlds: level client at a pack server: status $status: $(cat "$dir/c.err")"
}

sweeps=("$@")
[[ ${#sweeps[@]} -gt 0 ]] || sweeps=(cut load lossy worlds)
for sweep in "${sweeps[@]}"; do
    "${sweep}_sweep"
done
