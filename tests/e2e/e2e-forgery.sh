#!/usr/bin/env bash
# Forged datagrams from a third host between widget-free stations
# (stationprobe) on real UDP, on one bridge (10.89.0.0/24) in network
# namespaces made here, so nothing ever leaves this machine.
#   host 1: "alice", who proposes Othello to bob and makes the first move
#   host 2: "bob", who accepts
#   host 3: the forger: once alice has moved it sends, right after each of
#           bob's next three presences, bob's departure, and after the first
#           one also a board from "bob" further on, accepts from "mallory"
#           nobody asked for (Othello and Puissance 4) and a message from "bob"
#   host 4: udplisten
# Pass: alice never lets bob go, her game is still against bob with the
# board of her move, she neither refuses an accept nor starts a game with
# mallory, sends mallory no board, and shows the message with where it came from.
set -uo pipefail
probe=${1:?usage: e2e-forgery.sh STATIONPROBE UDPLISTEN}
sniff=${2:?usage: e2e-forgery.sh STATIONPROBE UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qforge "the forgery test"
if ! command -v python3 >/dev/null; then
    echo "SKIPPED: python3 is needed to forge datagrams"
    exit $SKIP
fi
bridges 1
for i in 1 2 3 4; do lan_host $i 10.89.0.$i/24; done

ip netns exec "$prefix-h4" "$sniff" 80 > "$work/heard" &
pids+=($!)
sleep 1
start_probe() { # host user [option]...
    local host=$1 user=$2
    shift 2
    ip netns exec "$prefix-h$host" env -i PATH="$PATH" "$probe" "$@" "$user" > "$work/$user.out" 2> "$work/$user.err" &
    pids+=($!)
}
start_probe 2 bob --accept
start_probe 1 alice --propose 1000 bob --play

failures=0
deadline=$((SECONDS + 60))

wait_for "$work/alice.out" "^match othello bob on 5$" || fail "alice's game with bob never reached her first move"
# The forger ends with a message of its own: alice takes datagrams in the
# order they arrive, so once she shows it she has taken every forgery.
ip netns exec "$prefix-h3" timeout 40 python3 - > "$work/mallory.out" 2>&1 <<'PY'
import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.bind(("", 31313))
def send(text):
    s.sendto(text.encode("cp1252"), ("255.255.255.255", 31313))
    print("sent", text.replace("\u00a7", "|"), flush=True)
heard = 0
while heard < 3:
    if s.recv(2048) != "3§bob§".encode("cp1252"):
        continue
    heard += 1
    send("7§bob")
    if heard == 1:
        send("13§alice§" + "1§" * 64 + "0§64§")  # every disc black: bob won
        send("4§alice§mallory§")
        send("5§alice§mallory§")
        send("6§alice§bob§hi")
send("6§alice§mallory§done")
PY
wait_for "$work/alice.out" "^message mallory done" || fail "alice did not take the forger's last message"
(($(grep -c "^sent 7|bob$" "$work/mallory.out") == 3)) || fail "the forger did not send bob's departure three times"

! grep -q "^gone bob$" "$work/alice.out" && echo "ok: bob stays listed at alice's" \
    || fail "alice took a forged departure of bob"
state=$(grep "^match othello" "$work/alice.out" | tail -1)
[[ $state == "match othello bob on 5" ]] && echo "ok: alice's game is still against bob with her move's board" \
    || fail "alice's game changed: $state"
! grep -Eq "^(refused|started) .* mallory$" "$work/alice.out" && echo "ok: alice took no accept from mallory" \
    || fail "alice took an accept from mallory"
# A board is code 12 or 13 ("313x" in hex), its opponent the next field.
if awk -F '\t' -v to="^313[23]$(hex "§mallory§")" '$2 == "10.89.0.1" && $3 ~ to' "$work/heard" | grep -q .; then
    fail "alice sent a board to mallory"
else
    echo "ok: alice sent mallory no board"
fi
mark="message bob hi | from 10.89.0.3 heard at 10.89.0.2"
grep -qxF "$mark" "$work/alice.out" && echo "ok: the forged message arrives marked" \
    || fail "the forged message arrived without its mark"

if ((failures > 0)); then
    for f in "$work"/*.out "$work"/*.err; do echo "--- $f"; cat "$f"; done
    echo "e2e-forgery: $failures check(s) failed"
    exit 1
fi
echo "e2e-forgery: all checks passed"
