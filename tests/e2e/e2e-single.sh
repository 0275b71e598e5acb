#!/usr/bin/env bash
# One station per name and desktop, with real stations on one bridge
# (10.91.0.0/24) in network namespaces made here, so nothing ever leaves
# this machine.
#   host 1: "bob"; then bob again on the same desktop, which must hand over
#           and end having sent nothing; then bob on another display, which
#           starts, and leaves
#   host 2: udplisten
# Pass: the second start ends at once with status 0 and no departure is
# heard; the copy on another display binds the chat port; when it leaves,
# the first copy says it is still here within a second of the departure.
set -uo pipefail
quillet=${1:?usage: e2e-single.sh QUILLET UDPLISTEN}
sniff=${2:?usage: e2e-single.sh QUILLET UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qsingle "the single-station test"
bridges 1
for i in 1 2; do lan_host $i 10.91.0.$i/24; done

ip netns exec "$prefix-h2" "$sniff" 60 > "$work/heard" &
pids+=($!)
sleep 1
# bob on host 1; started directly (not through a function) so $! is the station itself.
bob=(ip netns exec "$prefix-h1" env -i PATH="$PATH" HOME="$work" USERNAME=bob QT_QPA_PLATFORM=offscreen
     XDG_RUNTIME_DIR="$work")
heard_at() { # payload: when each copy from host 1 arrived, in ms
    awk -F '\t' -v bytes="$(hex "$1")" '$2 == "10.91.0.1" && $3 == bytes { print $1 }' "$work/heard"
}
chat_sockets() { ip netns exec "$prefix-h1" awk '$2 ~ /:7A51$/' /proc/net/udp | wc -l; }

failures=0
deadline=$((SECONDS + 50))
"${bob[@]}" "$quillet" > "$work/first.log" 2>&1 &
pids+=($!)
first=$!
wait_for "$work/heard" "$(hex "3§bob§")" || fail "the first bob is never heard"

# The same name on the same desktop: it hands over and ends.
"${bob[@]}" timeout 20 "$quillet" > "$work/second.log" 2>&1
status=$?
((status == 0)) || fail "the second start ended with status $status: $(cat "$work/second.log")"
kill -0 "$first" 2>/dev/null || fail "the first bob did not survive the second start"
[[ -z $(heard_at "7§bob") ]] || fail "a departure of bob was heard after the second start"
(($(chat_sockets) == 1)) || fail "the second start bound the chat port"

# Another display is another desktop: that copy starts as before.
"${bob[@]}" DISPLAY=:77 "$quillet" > "$work/third.log" 2>&1 &
third=$!
pids+=($third)
# Its hand-over socket is made once it can take a SIGTERM.
listening() { find "$work" -maxdepth 1 -type s -name 'quillet-*' | wc -l; }
for _ in $(seq 1 100); do (($(chat_sockets) == 2 && $(listening) == 2)) && break; sleep 0.1; done
(($(chat_sockets) == 2 && $(listening) == 2)) || fail "bob on another display did not start"
kill -TERM "$third"
wait_for "$work/heard" "$(hex "7§bob")" || fail "bob on another display left without a word"
left=$(heard_at "7§bob" | head -1)
for _ in $(seq 1 50); do
    back=$(heard_at "3§bob§" | awk -v left="$left" '$1 >= left { print $1; exit }')
    [[ -n $back ]] && break
    sleep 0.1
done
if [[ -z $back ]] || ((back - left > 1000)); then
    fail "the first bob did not say he is still here within a second of the departure (${back:-never})"
else
    echo "ok: the first bob answered the departure after $((back - left)) ms"
fi
((failures == 0)) && echo PASS
exit $((failures > 0))
