#!/usr/bin/env bash
# Two segments joined through an MQTT broker, in network namespaces made
# here, so nothing ever leaves this machine.
#   segment A (10.87.0.0/24): h1 "alice" (stationprobe, accepts and plays),
#       h2 and h8 two bridges (one too many, by mistake), h3 udplisten and a
#       bridge with a wrong password
#   segment B (10.87.1.0/24): h4 "bob", a foreign peer of raw datagrams,
#       h5 a bridge, h6 udplisten
#   h7 the router between them, running a mosquitto started here with a
#       password file and an access list
# bob says a line, sends malformed datagrams, a private message and an
# Othello proposal; alice accepts and the two play the game to its end.
# Checks that each datagram crosses once, nothing comes back to its own
# segment, malformed ones stay home, the bridges forward again after the
# broker restarts, and the wrong password gives one line and no crash.
set -uo pipefail
quillet=${1:?usage: e2e-bridge.sh QUILLET STATIONPROBE UDPLISTEN}
probe=${2:?usage: e2e-bridge.sh QUILLET STATIONPROBE UDPLISTEN}
sniff=${3:?usage: e2e-bridge.sh QUILLET STATIONPROBE UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qbrg "the bridge test"
for tool in mosquitto mosquitto_passwd python3; do
    if ! PATH=$PATH:/usr/sbin command -v $tool >/dev/null; then
        echo "SKIPPED: $tool is needed (Debian: apt install mosquitto python3)"
        exit $SKIP
    fi
done
PATH=$PATH:/usr/sbin
bridges 2
for i in 1 2 3 4 5 6 7 8; do new_namespace "$prefix-h$i"; done
for i in 1 2 3 8; do card $i eth0 br0 pa$i 10.87.0.$i/24; done
for i in 4 5 6; do card $i eth0 br1 pb$i 10.87.1.$i/24; done
card 7 eth0 br0 pa7 10.87.0.254/24
card 7 eth1 br1 pb7 10.87.1.254/24
for i in 1 2 3 4 5 6 8; do ip -n "$prefix-h$i" route add default dev eth0; done

# The broker drops to the mosquitto user: its files must be readable by it.
broker=$work/broker
mkdir "$broker"
chmod 711 "$work"
chmod 755 "$broker"
mosquitto_passwd -b -c "$broker/passwords" bridge right-one 2>/dev/null
cat > "$broker/acl" <<EOF
user bridge
topic readwrite quillet/#
EOF
cat > "$broker/mosquitto.conf" <<EOF
listener 1883
allow_anonymous false
password_file $broker/passwords
acl_file $broker/acl
persistence false
log_dest file $broker/log
EOF
chmod 644 "$broker"/*
id mosquitto >/dev/null 2>&1 && chown mosquitto "$broker"/* && touch "$broker/log" && chown mosquitto "$broker/log"
echo right-one > "$work/password"
echo wrong-one > "$work/wrong"
start_broker() {
    ip netns exec "$prefix-h7" mosquitto -c "$broker/mosquitto.conf" > /dev/null 2>&1 &
    broker_pid=$!
    pids+=($broker_pid)
}
start_broker

ip netns exec "$prefix-h3" "$sniff" 0 > "$work/heard-a" &
pids+=($!)
ip netns exec "$prefix-h6" "$sniff" 0 > "$work/heard-b" &
pids+=($!)
sleep 1
run_bridge() { # host name password-file broker-address
    ip netns exec "$prefix-h$1" env -i PATH="$PATH" "$quillet" bridge "mqtt://$4" --user bridge \
        --password-file "$3" > "$work/$2.out" 2> "$work/$2.err" &
    pids+=($!)
    eval "${2//-/_}_pid=$!"
}
run_bridge 2 bridge-a1 "$work/password" 10.87.0.254
run_bridge 8 bridge-a2 "$work/password" 10.87.0.254
run_bridge 5 bridge-b "$work/password" 10.87.1.254:1883
ip netns exec "$prefix-h1" env -i PATH="$PATH" "$probe" --accept --play alice > "$work/alice.out" 2> "$work/alice.err" &
pids+=($!)

failures=0
# Every wait ends by this time, so even a run where nothing crosses ends, and
# cleans up, well inside the test's timeout.
deadline=$((SECONDS + 150))
for b in bridge-a1 bridge-a2 bridge-b; do
    wait_for "$work/$b.out" "connected to" || fail "$b did not connect"
done
# Started once the broker is known to listen, so its only failure is the password.
run_bridge 3 bridge-wrong "$work/wrong" 10.87.0.254
# Of the two bridges on A, the one with the greater id stands by once it sees
# the other publish alice's presence.
if wait_for "$work/bridge-a1.out" "standing by" 150 || wait_for "$work/bridge-a2.out" "standing by" 10; then
    echo "ok: of two bridges on one segment, one stands by"
else
    fail "neither bridge on segment A stood by for the other"
fi

# bob: announces himself every 2 s; once he hears alice, says a line, sends
# what is not the wire's, a private message and an Othello proposal; then
# plays white to the end, sending his board again every 2 s as a station does.
ip netns exec "$prefix-h4" timeout 80 python3 - > "$work/bob.out" 2>&1 <<'PY' &
import select, socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.bind(("", 31313))
def send(text, raw=None):
    s.sendto(raw or text.encode("cp1252"), ("255.255.255.255", 31313))
    print("sent", text.replace("\u00a7", "|")[:60], flush=True)
board = [0] * 64
board[27] = board[36] = 2
board[28] = board[35] = 1
turn, discs, started, over, last = 1, 4, False, False, 0.0
steps = [(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy]
def flips(b, x, y, c):
    if b[y * 8 + x]:
        return []
    out = []
    for dx, dy in steps:
        run, i, j = [], x + dx, y + dy
        while 0 <= i < 8 and 0 <= j < 8 and b[j * 8 + i] == 3 - c:
            run.append(j * 8 + i); i += dx; j += dy
        if run and 0 <= i < 8 and 0 <= j < 8 and b[j * 8 + i] == c:
            out += run
    return out
def can_play(b, c):
    return any(flips(b, k % 8, k // 8, c) for k in range(64))
def board_text():
    return "13\u00a7alice\u00a7" + "".join("%d\u00a7" % v for v in board) + "%d\u00a7%d\u00a7" % (turn, discs)
while True:
    if time.time() - last >= 2:
        send("3\u00a7bob\u00a7")
        send("10\u00a7bob\u00a70\u00a7")
        if turn and discs > 4:
            send(board_text())
        last = time.time()
    if not select.select([s], [], [], 0.2)[0]:
        continue
    data, sender = s.recvfrom(65536)
    f = data.decode("cp1252", "replace").split("\u00a7")
    if f[0] == "3" and f[1] == "alice" and not started:
        started = True
        time.sleep(1)
        send("1\u00a7[bob,12:00:00]> hello from segment B")
        send("99\u00a7not a code", b"99\xa7not a code")
        send("1\u00a7[bob,12:00:01]> " + "x" * 5000)
        send("6\u00a7alice\u00a7bob\u00a7a secret from B")
        send("8\u00a7alice\u00a7bob\u00a7")
    elif f[0] == "4" and f[1:3] == ["bob", "alice"]:
        print("accepted", flush=True)
    elif f[0] == "13" and f[1] == "bob" and len(f) >= 68 and int(f[67]) > discs:
        board, turn, discs = [int(v) for v in f[2:66]], int(f[66]), int(f[67])
        print("board", discs, "turn", turn, flush=True)
        while turn == 2:  # again when black has no move
            k = next(k for k in range(64) if flips(board, k % 8, k // 8, 2))
            for n in flips(board, k % 8, k // 8, 2) + [k]:
                board[n] = 2
            discs += 1
            turn = 1 if can_play(board, 1) else 2 if can_play(board, 2) else 0
            send(board_text())
        if turn == 0 and not over:
            over = True
            print("over", discs, "black", board.count(1), "white", board.count(2), flush=True)
PY
pids+=($!)

if wait_for "$work/bob.out" "^over " 600; then
    echo "ok: alice and bob played Othello to the end across the bridges ($(grep '^over' "$work/bob.out"))"
    final=$(grep '^over' "$work/bob.out" | awk '{ print $2 }')
    wait_for "$work/alice.out" "^match othello bob on $final$" 50 || wait_for "$work/alice.out" "^match othello bob off $final$" 10 ||
        fail "alice's game did not end with $final discs: $(grep '^match othello' "$work/alice.out" | tail -1)"
else
    fail "the Othello game did not reach its end: $(grep '^board' "$work/bob.out" | tail -1)"
fi
grep -qx "chat work \[bob,12:00:00\]> hello from segment B" "$work/alice.out" && echo "ok: bob's line reached alice" ||
    fail "bob's line did not reach alice"
grep -qx "message bob a secret from B" "$work/alice.out" && echo "ok: bob's private message reached alice unmarked" ||
    fail "bob's private message did not reach alice as his: $(grep '^message' "$work/alice.out")"
grep -q "^accepted" "$work/bob.out" && echo "ok: alice's accept reached bob" || fail "alice's accept did not reach bob"

# Once each on the far segment, from its bridge; malformed ones not at all.
copies() { # file text: datagrams whose bytes are exactly text
    awk -F '\t' -v bytes="$(hex "$2")" '$3 == bytes { n++ } END { print n + 0 }' "$1"
}
for text in "1§[bob,12:00:00]> hello from segment B" "6§alice§bob§a secret from B" "8§alice§bob§"; do
    n=$(copies "$work/heard-a" "$text")
    ((n == 1)) && echo "ok: \"$text\" crossed to A once" || fail "\"$text\" crossed to A $n times"
done
n=$(copies "$work/heard-b" "4§bob§alice§")
((n == 1)) && echo "ok: alice's accept crossed to B once" || fail "alice's accept crossed to B $n times"
n=$(($(copies "$work/heard-a" "99§not a code") + $(awk -F '\t' -v big="$(hex "1§[bob,12:00:01]> xxxx")" 'index($3, big) == 1' "$work/heard-a" | wc -l)))
((n == 0)) && echo "ok: the malformed datagrams did not cross" || fail "$n malformed datagrams crossed to A"
# Nothing a station sent comes back to its own segment from a bridge.
loops() { # file station bridge...: datagrams of station heard again from a bridge
    awk -F '\t' -v station="$2" -v bridges=" ${*:3} " '
        $2 == station { sent[$3] = 1 } index(bridges, " " $2 " ") && ($3 in sent) { n++ } END { print n + 0 }' "$1"
}
a=$(loops "$work/heard-a" 10.87.0.1 10.87.0.2 10.87.0.8)
b=$(loops "$work/heard-b" 10.87.1.4 10.87.1.5)
((a == 0 && b == 0)) && echo "ok: nothing looped back to its own segment" ||
    fail "datagrams came back: $a on A, $b on B"

# A broker restart: every bridge loses it, then forwards again.
kill "$broker_pid"
wait "$broker_pid" 2>/dev/null
for b in bridge-a1 bridge-a2 bridge-b; do wait_for "$work/$b.out" "^quillet bridge: lost" 50 || fail "$b did not see the broker go"; done
start_broker
again=0
for ((k = 0; k < 30 && SECONDS < deadline; ++k)); do
    ip netns exec "$prefix-h4" python3 -c '
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.sendto(("1\u00a7[bob,12:01:%02d]> after the restart" % int(sys.argv[1])).encode("cp1252"), ("255.255.255.255", 31313))' "$k"
    if wait_for "$work/alice.out" "after the restart" 5; then again=1; break; fi
done
((again)) && echo "ok: the bridges forward again after the broker restarts" ||
    fail "nothing crossed after the broker restarted"

# The wrong password: one line saying so, however often it was tried, and running.
lines=$(wc -l < "$work/bridge-wrong.err")
if ((lines == 1)) && grep -qi "not authori" "$work/bridge-wrong.err" && kill -0 "$bridge_wrong_pid" 2>/dev/null; then
    echo "ok: the wrong password gives one line and the bridge keeps trying"
else
    fail "the wrong password gave $lines line(s), or the bridge ended"
fi
# SIGTERM: a clean end with the counts, the malformed ones among them.
kill -TERM "$bridge_b_pid"
wait "$bridge_b_pid"
status=$?
((status == 0)) && grep -q "^quillet bridge: stopped" "$work/bridge-b.out" && echo "ok: SIGTERM ends the bridge cleanly" ||
    fail "the bridge ended with status $status on SIGTERM"
grep -Eq "published [1-9].* [1-9][0-9]* not of the wire" "$work/bridge-b.out" &&
    echo "ok: bridge B counted what it published and what it refused" ||
    fail "bridge B's counts are missing: $(grep published "$work/bridge-b.out" | tail -1)"

if ((failures > 0)); then
    for f in "$work"/*.out "$work"/*.err; do echo "--- $f"; cat "$f"; done
    echo "--- broker log"; cat "$broker/log"
    echo "e2e-bridge: $failures check(s) failed"
    exit 1
fi
echo "e2e-bridge: all checks passed"
