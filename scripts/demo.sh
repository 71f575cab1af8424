#!/usr/bin/env bash
# Builds (Release) and runs the headless host on the bundled sample database: eleven minutes of
# game time in single player, then five seconds as a server. Each session prints what the game
# did, with the frame it happened in, and ends with one footer. Arguments go to both sessions.
# Then the sample player and monster show what they loaded, three sample monsters die, their
# skill trees are shown (references, groups, costs, tooltips, an on-hit buff), the player
# and monster fight a short duel (then a hunter's charging pool, shield and rot, and a jackalman's
# fireball, lightning, shield and bones against a hero's swing, beam, aura and burst, each replayed
# on a client), a player and two monsters act on scripted orders, a kill
# pays the hero his share of a monster's experience, every packet class shows its bytes, players
# join a server and form and lose a party, and raiders close on the hero. The hero
# teleports and respawns, as a single player and as a server, and asks twice for his portal.
# Last the hero plays a minute, is saved, reloaded into a fresh session and saved again; the two
# files must match, and a truncated copy of the save is refused.
#
# By default only the sample level is played: the hero takes the elder's quest, crosses the
# gate, fights the raid chieftain and reports back, then a fresh run loads the hero saved at its
# end; then a server and two clients play it together on loopback. `--all` goes on with
# everything above.
set -euo pipefail
all=false
if [[ "${1:-}" == "--all" ]]; then
    all=true
    shift
fi
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_tools
start=$SECONDS
echo "== build (Release)"
# A cold build takes minutes: on a terminal ninja keeps its own status line; in a log a line
# marks each tenth of the steps.
if [ -t 1 ]; then
    build_release_host
else
    build_release_host | awk -F'[][/]' '
        /^\[[0-9]+\/[0-9]+\] / { tenth = int(10 * $2 / $3)
            if (tenth > shown) { shown = tenth; print "-- build: step " $2 " of " $3; fflush() }
            next }
        { print }'
fi
echo "-- build: $((SECONDS - start)) s"
# part TITLE: ends the part before with its wall time on one line, named by the title up to its
# colon, and starts the next.
part_name=""
part_start=$SECONDS
end_part() {
    [ -n "$part_name" ] || return 0
    echo "-- $part_name: $((SECONDS - part_start)) s"
    part_name=""
}
part() {
    if [ -n "$part_name" ]; then
        end_part
        echo
    fi
    part_name="${1%%:*}"
    part_start=$SECONDS
    echo "== $1"
}
host="$ROOT/build/release/host/gamehost"
village="$(mktemp -d)"
part "the village: the hero plays the sample level whole, alone, and is saved"
"$host" --db "$ROOT/data/database" --save "$village/hero.sav" "$@"
part "the village again: the saved hero is loaded and saved once more, unchanged"
echo "# stands still" >"$village/still.route"
"$host" --db "$ROOT/data/database" --load "$village/hero.sav" --route "$village/still.route" \
    --save "$village/again.sav" | grep -E "^  hero:|saved:"
part "the village over the network: a server and two clients on loopback, each hero on his"
echo "   own route, one party sharing the quest; every machine ends with the same digest"
"$host" --db "$ROOT/data/database" --role server --port 0 --clients 2 >"$village/server.out" \
    2>"$village/server.err" &
port=""
for _ in $(seq 100); do
    port="$(sed -n 's/^listening on 127.0.0.1://p' "$village/server.out")"
    [[ -n "$port" ]] && break
    sleep 0.1
done
for client in 1 2; do
    "$host" --db "$ROOT/data/database" --role client --connect "127.0.0.1:$port" \
        >"$village/client$client.out" 2>"$village/client$client.err" &
done
wait
grep -vE "^(monster|item|end: (monster|item))" "$village/server.out"
for client in 1 2; do
    echo "client $client: $(grep -E "^end: (quest|digest)" "$village/client$client.out" | paste -sd, -)"
done
rm -rf "$village"
end_part
$all || exit 0
echo
part "single player: eleven minutes of game time"
"$host" --db "$ROOT/data/database" --role single --frames 20000 "$@"
part "server: five seconds of game time"
"$host" --db "$ROOT/data/database" --role server --frames 150 "$@"
part "characters: the sample player and monster, and the player's life after a wound"
"$host" --db "$ROOT/data/database" --characters
part "deaths: three monsters die frame by frame, an aura times out, a monster picks a target"
"$host" --db "$ROOT/data/database" --deaths
part "skills: the sample player's and monster's skill trees, a modifier's lines, seeded"
echo "   weapon-pool draws as server and client, a replica on a second engine; then each skill's"
echo "   costs and tooltips, and the monster's blows firing the hero's on-hit rage"
"$host" --db "$ROOT/data/database" --skills --seed 1
# Seed 17's four hits show a dodge, an ordinary and a harder hit, claws and a thrown stone.
part "duel: the sample player and monster exchange four hits, with retaliation and reflection;"
echo "   then a hunter's charging bow pool against a pack, a shield and a spreading rot (server),"
echo "   replayed into a client engine and the end states compared; then a jackalman's fireball,"
echo "   lightning, stone shield and bones against a hero's charged swing, chaos beam, battle aura"
echo "   and retaliating burst, frame by frame, the client's lives compared with the server's"
"$host" --db "$ROOT/data/database" --duel 4 --seed 17
part "scenario: a player and two monsters run, step round each other, attack and die (single)"
"$host" --db "$ROOT/data/database" --scenario actions --role single
part "scenario: the same orders as a server, with the action packets it broadcasts"
"$host" --db "$ROOT/data/database" --scenario actions --role server
part "scenario: a kill pays the hero his share of the experience and a level (single)"
"$host" --db "$ROOT/data/database" --scenario kill --seed 7
part "scenario: equip, drop, pick up, team, potion, net sound and hide as config commands"
echo "   (server), replayed into a fresh client engine; then a rag-doll death"
"$host" --db "$ROOT/data/database" --scenario commands
part "packets: a filled sample of every message between machines, in type order, with its"
echo "   bytes and description (the first two blocks and the count)"
"$host" --db "$ROOT/data/database" --packets >"$ROOT/build/release/packets.txt"
awk '/^packet 21 /{exit} {print}' "$ROOT/build/release/packets.txt"
grep " packet classes, " "$ROOT/build/release/packets.txt"
part "scenario: three players join a server through their basic-info messages, party up; the"
echo "   leader's host leaves, a player is banned, the list is dumped (server)"
"$host" --db "$ROOT/data/database" --scenario players
part "scenario: a monster serves the hero for 5 s and goes back; a talk with the elder; their"
echo "   level state saved, the world cleared and the state restored; a guard and a deer (single)"
"$host" --db "$ROOT/data/database" --scenario cast
part "scenario: four raiders close on the hero round three attack places, past a wall and a"
echo "   palisade; one dies and drops its gold (single)"
"$host" --db "$ROOT/data/database" --scenario ai
part "scenario: a patrolling pack, a chieftain with two followers and a mender think for"
echo "   themselves; the hero fells the chieftain, who drops gold, a potion and a shield (single)"
"$host" --db "$ROOT/data/database" --scenario arena --ms 100 --seed 1
part "scenario: townsfolk stroll and watch a juggler, deer trail their herder, the elder obeys"
echo "   quest orders; the hero talks to him and fells a crab by an ally, a turret and an ambusher"
"$host" --db "$ROOT/data/database" --scenario town --ms 100 --seed 1
part "scenario: the elder's lines rotate until he tires, a quest changes what the townsfolk"
echo "   say and show, the elder and the fisherman converse, and the quest is restored (single)"
"$host" --db "$ROOT/data/database" --scenario dialog --seed 7
part "scenario: 300 monsters in packs fight the hero's guards; the frame cost's mean, 99th"
echo "   percentile and worst (single)"
"$host" --db "$ROOT/data/database" --scenario horde --monsters 300 --frames 150
part "scenario: every kind of projectile flies at two raiders; trees sway, a ring expands and a"
echo "   puppet starts, idles and is released (single)"
"$host" --db "$ROOT/data/database" --scenario range --seed 1
part "scenario: a chieftain's drops scatter by their seeds; the hero fills his sacks and potion"
echo "   stacks, drinks by need, is refused while it cools, and his bag is saved and read (single)"
"$host" --db "$ROOT/data/database" --scenario bag --seed 7
part "scenario: the hero walks a level file past a river and a bell, through a playlist volume,"
echo "   a gate's one-shot sound and effects, dusk and into a shrine's music event; he uses a door,"
echo "   two chests (one guarded), a shrine, an altar, a well and a boat, whose states are saved and"
echo "   restored; a spawner's pack and chest, an ambush, landmarks found, a shrine's heals and the"
echo "   camera (single)"
"$host" --db "$ROOT/data/database" --scenario level --seed 7
part "scenario: the same walk at Legendary difficulty: the spawner picks its harder pool (single)"
"$host" --db "$ROOT/data/database" --scenario level --seed 7 --difficulty 2
part "scenario: a chieftain's gold and loot land where their seeds put them; a gold gift, a"
echo "   quest walk order and a locked chest; a fresh client replays the packets (server)"
"$host" --db "$ROOT/data/database" --scenario drops --seed 7
part "scenario: the hero buys from the village trader, sells back, closes and reopens (single);"
echo "   two clients rebuild the server's stock from its seed and race for one slot (network)"
"$host" --db "$ROOT/data/database" --scenario market --seed 7
part "scenario: the hero dresses through the cursor, sheds a helmet when weakened and sets"
echo "   relic shards together and into his sword (single)"
"$host" --db "$ROOT/data/database" --scenario wear --seed 7
part "scenario: hero A on a server and hero B on a client trade items and gold step by step"
"$host" --db "$ROOT/data/database" --scenario trade --seed 7
part "scenario: the hero against each of the nine bosses in its own small level; each"
echo "   encounter's events and ending line"
"$host" --db "$ROOT/data/database" --scenario bosses | grep -v ' | '
part "scenario: the edge skills in 23 scenes: companions, a thrown rock, dispels, walls, light,"
echo "   mirages, beams, bolts, pulses, pets and swaps; a client engine replays them (server)"
"$host" --db "$ROOT/data/database" --scenario skillshow --role server --seed 3
part "items: twenty sample weapons and armour rolled with affixes; each made again from its"
echo "   replica record must agree; one item's cost summary"
"$host" --db "$ROOT/data/database" --items --seed 7
part "session: the elder and a jackalman chieftain placed by --spawn, two seconds (single)"
"$host" --db "$ROOT/data/database" --role single --frames 60 \
    --spawn Records/Creatures/Npc/Townsfolk/VillageElder.dbr@2,0,3 \
    --spawn Records/Creatures/Monster/Jackalman/JackalmanChieftain.dbr@-3,0,5
part "travel: the hero teleports to the far region, then respawns where he stands (single)"
travel_hero=Records/Creatures/PC/Hero.dbr
"$host" --db "$ROOT/data/database" --role single --player "$travel_hero" --frames 200 \
    --teleport 1005,0,5 | grep -E '^frame [0-9]+: (teleport|rendering|Start|NR)' |
    grep -Ev 'state [0-9], timer [1-9]'
"$host" --db "$ROOT/data/database" --role single --player "$travel_hero" --frames 110 --respawn |
    grep -E '^frame [0-9]+: (respawn [^s]|respawn state [0-9], timer 33,|rendering|teleport mode)'
part "travel: a server's teleport with its broadcast to the clients"
"$host" --db "$ROOT/data/database" --role server --player "$travel_hero" --frames 12 \
    --teleport 1005,0,5 | grep -E '^frame 1[0-2]: '
part "travel: a second portal request while owning one asks first (answered no)"
"$host" --db "$ROOT/data/database" --role single --player "$travel_hero" --frames 12 --portal \
    --answer no | grep -E '^frame '
part "save and load: the hero plays a minute (single), is saved and reloaded"
saves="$(mktemp -d)"
trap 'rm -rf "$saves"' EXIT
hero=Records/Creatures/PC/Hero.dbr
"$host" --db "$ROOT/data/database" --role single --player "$hero" --frames 1819 \
    --save "$saves/hero.chr" >"$saves/played.txt" 2>"$saves/log.txt" ||
    { cat "$saves/log.txt" >&2; exit 1; }
grep -E '^(session|player)[: ]' "$saves/played.txt"
"$host" --db "$ROOT/data/database" --role single --player "$hero" --load "$saves/hero.chr" \
    --save "$saves/again.chr" >"$saves/reloaded.txt" 2>"$saves/log.txt" ||
    { cat "$saves/log.txt" >&2; exit 1; }
grep '^player ' "$saves/reloaded.txt"
if cmp -s "$saves/hero.chr" "$saves/again.chr"; then
    echo "the two players match: the reloaded hero saves byte for byte as the played one"
else
    echo "the two players differ" >&2
    exit 1
fi
echo "-- the start of gamehost --dump-stream of the save:"
"$host" --dump-stream "$saves/hero.chr" >"$saves/dump.txt"
head -n 12 "$saves/dump.txt"
echo "-- a copy cut to half its size is refused, and left as it was:"
head -c "$(($(wc -c <"$saves/hero.chr") / 2))" "$saves/hero.chr" >"$saves/cut.chr"
cp "$saves/cut.chr" "$saves/cut-before.chr"
status=0
"$host" --db "$ROOT/data/database" --role single --player "$hero" --load "$saves/cut.chr" \
    --save "$saves/cut.chr" >/dev/null 2>"$saves/cut-err.txt" || status=$?
grep '^gamehost: ' "$saves/cut-err.txt" || true
if [ "$status" -eq 2 ] && cmp -s "$saves/cut.chr" "$saves/cut-before.chr"; then
    echo "(exit status 2, file untouched)"
else
    echo "the truncated save was not refused as it should be (status $status)" >&2
    exit 1
fi
part "quests: the sample quest loads, completes at once, is saved in the background and restored"
quests="$(mktemp -d)"
"$host" --db "$ROOT/data/database" --quests --quest-state "$quests" 2>/dev/null | grep -v '^[a-z]*: '
echo "-- the state folder holds:"
ls "$quests"
"$host" --dump-stream "$quests/QuestRepository.dat"
part "quest play: the hero kills the raider, watches the gate and reports to the elder as a"
echo "   server; a fresh session resumes the saved quest"
"$host" --db "$ROOT/data/database" --scenario quest --quest-state "$quests/play" --role server \
    2>/dev/null | grep -Ev '^  frame [0-9]+: \(|^[a-z]*: |^  (save game|conversation|dialog)'
"$host" --db "$ROOT/data/database" --scenario quest --quest-state "$quests/play" --resume \
    2>/dev/null | grep -v '^[a-z]*: '
part "quest actions: a quest hands out and drops items, walks and kills the raider, opens and"
echo "   closes the gates, locks the camp's chest, switches the outpost off and changes music and"
echo "   screen; reloaded, then fired again on a client"
"$host" --db "$ROOT/data/database" --scenario quest-actions --quest-state "$quests/actions" \
    2>/dev/null | grep -Ev '^[a-z]*: |^  fired '
rm -rf "$quests"
part "input: the hero walks, talks to the elder, holds the button on a raider and fires bar"
echo "   slot 0, on the orders of data/input/HeroOrders.txt (single; every tenth frame shown)"
"$host" --db "$ROOT/data/database" --input "$ROOT/data/input/HeroOrders.txt" --ms 100 \
    2>/dev/null |
    awk '/-> / || !/^  frame / || $2 % 10 == 0'
echo "-- a script with a bad line is refused with one line naming it, and nothing is run:"
bad="$(mktemp)"
printf '1 click 2,3\n2 click @Dragon\n' >"$bad"
status=0
"$host" --db "$ROOT/data/database" --input "$bad" >/dev/null 2>"$bad.err" || status=$?
grep '^gamehost: ' "$bad.err" || true
echo "(exit status $status)"
rm -f "$bad" "$bad.err"
part "network: a server and a client, two gamehost processes, play one session over UDP"
net="$(mktemp -d)"
"$host" --db "$ROOT/data/database" --role server --port 0 --clients 1 --seed 3 \
    >"$net/server.txt" 2>"$net/server-log.txt" &
server=$!
for _ in $(seq 100); do
    grep -q '^listening on ' "$net/server.txt" 2>/dev/null && break
    sleep 0.1
done
port="$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$net/server.txt")"
"$host" --db "$ROOT/data/database" --role client --connect "127.0.0.1:$port" \
    >"$net/client.txt" 2>"$net/client-log.txt" || echo "(client exit status $?)"
wait "$server" || echo "(server exit status $?)"
echo "-- the server:"
cat "$net/server.txt"
echo "-- the client:"
cat "$net/client.txt"
if diff <(grep '^end: ' "$net/server.txt") <(grep '^end: ' "$net/client.txt") >/dev/null; then
    echo "server and client end alike"
else
    echo "server and client end differently" >&2
    rm -rf "$net"
    exit 1
fi
rm -rf "$net"
end_part
echo
echo "(gamehost --classes prints the class tree; gamehost --help lists every option)"
