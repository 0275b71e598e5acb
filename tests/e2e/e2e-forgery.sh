#!/usr/bin/env bash
# Forged datagrams from a third host between widget-free stations
# (stationprobe) on real UDP, on one bridge (10.89.0.0/24) in network
# namespaces made here, so nothing ever leaves this machine.
#   host 1: "alice", who proposes Othello to bob and makes the first move
#   host 2: "bob", who accepts, answers her move and leaves 13 s after start
#   host 3: mallory, never forging its source address. From before the
#           proposal until after bob leaves, several times a second, from
#           10.89.0.3 it sends copies of what bob is about to send (his
#           accept, his departure, his answer to alice's move), and from
#           four more addresses of its own it announces "bob", changing an
#           ignored trailing field each time. Once it also sends a board
#           from "bob" with every disc black, accepts from "mallory" nobody
#           asked for (Othello and Puissance 4) and a message from "bob".
#   host 4: udplisten
# Pass: bob's accept starts alice's game, his move is applied and his
# departure is taken, and nothing of mallory's is: alice lets bob go only
# after he left, neither refuses an accept nor starts a game with mallory,
# sends mallory no board, and shows the message with where it came from.
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
failures=0
deadline=$((SECONDS + 60))
for extra in 31 32 33 34; do ip -n "$prefix-h3" addr add 10.89.0.$extra/24 dev eth0; done
ip netns exec "$prefix-h3" timeout 40 python3 - > "$work/mallory.out" 2>&1 <<'PY' &
import socket, time
def sock(address):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.bind((address, 0))
    return s
own = sock("10.89.0.3")
extras = [sock("10.89.0.%d" % n) for n in (31, 32, 33, 34)]
def send(text, s=own):
    s.sendto(text.encode("cp1252"), ("255.255.255.255", 31313))
# bob's answer as his station will compute it: the first legal move, in cell
# order, for the colour to move, after alice's first legal move.
board = [[0] * 9 for _ in range(9)]  # [y][x]
board[4][4] = board[5][5] = 2
board[5][4] = board[4][5] = 1
turn = 1
def flips(x, y, c):
    if board[y][x]:
        return []
    out = []
    for dx, dy in ((0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1)):
        run, cx, cy = [], x + dx, y + dy
        while 1 <= cx <= 8 and 1 <= cy <= 8 and board[cy][cx] == 3 - c:
            run.append((cx, cy)); cx += dx; cy += dy
        if run and 1 <= cx <= 8 and 1 <= cy <= 8 and board[cy][cx] == c:
            out += run
    return out
def can(c):
    return any(flips(x, y, c) for y in range(1, 9) for x in range(1, 9))
for _ in range(2):
    x, y = next((x, y) for y in range(1, 9) for x in range(1, 9) if flips(x, y, turn))
    for fx, fy in flips(x, y, turn):
        board[fy][fx] = turn
    board[y][x] = turn
    turn = 3 - turn
    if not can(turn):
        turn = 3 - turn if can(3 - turn) else 0
answer = "13§alice§" + "".join("%d§" % board[y][x] for y in range(1, 9) for x in range(1, 9)) + "%d§6§" % turn
print("answer", answer.replace("§", "|"), flush=True)
start = time.monotonic()
n = 0
once = True
while time.monotonic() - start < 18:
    n += 1
    for text in ("4§alice§bob§", "7§bob", answer):
        send(text)
    for s in extras:
        send("3§bob§%d§" % n, s)
    if once and time.monotonic() - start > 9:  # bob has announced himself twice
        once = False
        send("13§alice§" + "1§" * 64 + "0§64§")  # every disc black: bob won
        send("4§alice§mallory§")
        send("5§alice§mallory§")
        send("6§alice§bob§hi")
    time.sleep(0.05)
print("rounds", n, flush=True)
send("6§alice§mallory§done")
PY
pids+=($!)
sleep 1
# alice proposes once she has heard bob's second presence, as a user would
# once he is listed.
start_probe 2 bob --accept --reply --leave 13000
start_probe 1 alice --propose 6000 bob --play

wait_for "$work/alice.out" "^started othello bob$" 200 || fail "bob's accept never started alice's game"
wait_for "$work/alice.out" "^match othello bob on 6$" || fail "alice never took bob's answer to her move"
# The forger ends with a message of its own: alice takes datagrams in the
# order they arrive, so once she shows it she has taken every forgery.
wait_for "$work/alice.out" "^message mallory done" 300 || fail "alice did not take the forger's last message"
grep -q "^left$" "$work/bob.out" || fail "bob never left"
grep -q "^rounds" "$work/mallory.out" || fail "the forger did not run to its end"

# bob is let go once, after his answer was taken, and only by his own departure.
order=$(grep -E "^(gone bob|match othello bob on 6)$" "$work/alice.out" | tr '\n' '|')
[[ $order == "match othello bob on 6|gone bob|" ]] && echo "ok: bob's answer was taken, then his departure" \
    || fail "alice let bob go at the wrong time: $order"
! grep -q "^match othello bob on 64$" "$work/alice.out" && echo "ok: alice took no forged board" \
    || fail "alice took the forged board"
! grep -Eq "^(refused|started) .* mallory$" "$work/alice.out" && echo "ok: alice took no accept from mallory" \
    || fail "alice took an accept from mallory"
# A board is code 12 or 13 ("313x" in hex), its opponent the next field.
if awk -F '\t' -v to="^313[23]$(hex "§mallory§")" '$2 == "10.89.0.1" && $3 ~ to' "$work/heard" | grep -q .; then
    fail "alice sent a board to mallory"
else
    echo "ok: alice sent mallory no board"
fi
# bob's own address is still among those his name is heard from.
grep -qE "^message bob hi \| from 10\.89\.0\.3 heard at (.* )?10\.89\.0\.2( .*)?$" "$work/alice.out" \
    && echo "ok: the forged message arrives marked, bob still bound to his address" \
    || fail "the forged message arrived without its mark, or bob lost his address"

if ((failures > 0)); then
    for f in "$work"/*.out "$work"/*.err; do echo "--- $f"; cat "$f"; done
    echo "e2e-forgery: $failures check(s) failed"
    exit 1
fi
echo "e2e-forgery: all checks passed"
