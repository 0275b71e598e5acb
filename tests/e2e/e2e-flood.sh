#!/usr/bin/env bash
# A station under a flood, over real UDP inside network namespaces made here
# (10.83.0.0/24 on a private bridge), so nothing leaves this machine.
#   host 1: station "alice"
#   host 2: the flooder: chat lines as fast as it can for 10 s, then 1,000
#           private messages to alice at 100 a second from 100 names in turn
#   host 3: udplisten, recording alice's presences
# The flood goes to alice's own address, so the listener hears only what
# alice sends and measures her, not its own pace under the flood.
# Pass: no two presences more than 7 s apart (the period is 5 s), alice still
# announcing herself after each flood, and her memory (VmRSS) within the
# bounds stated below.
set -uo pipefail
usage="usage: e2e-flood.sh QUILLET UDPLISTEN BENCHNET"
quillet=${1:?$usage}
sniff=${2:?$usage}
benchnet=${3:?$usage}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qflood "the flood test"

# A presence may come at most this late: one period and a margin for a busy machine.
max_gap_ms=7000
# Resident memory allowed above the idle size after the chat flood. The logs
# keep the lines taken, under a KiB each, and a station takes some ten
# thousand a second into a log while the kernel drops the rest: 256 MiB is
# room for several times that.
chat_flood_mib=256
# After 1,000 private messages from one host, above the size before them:
# each name opens a few windows at most, and all names together no more
# than a bounded number, whatever the names.
messages_mib=200

bridges 1
for i in 1 2 3; do lan_host $i 10.83.0.$i/24; done

ip netns exec "$prefix-h3" "$sniff" 90 > "$work/heard" &
pids+=($!)
sleep 0.5
ip netns exec "$prefix-h1" env -i PATH="$PATH" HOME="$work" USERNAME=alice QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$work" "$quillet" > "$work/alice.log" 2>&1 &
alice=$!
pids+=($alice)

presence=$(printf '3\xa7alice\xa7' | od -An -tx1 | tr -d ' \n')
presences() { # the times alice's presence was heard, in ms of the monotonic clock
    awk -F '\t' -v bytes="$presence" '$2 == "10.83.0.1" && $3 == bytes { print $1 }' "$work/heard"
}
wait_presences() { # count: wait (at most 30 s) until alice has been heard this many times
    for _ in $(seq 1 300); do
        (($(presences | wc -l) >= $1)) && return 0
        sleep 0.1
    done
    return 1
}
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$alice/status" 2>/dev/null || echo 0; }

failures=0
fail() {
    echo "FAILED: $1"
    failures=$((failures + 1))
}

if ! wait_presences 2; then
    fail "alice never announced herself twice before the flood"
    cat "$work/alice.log"
    exit 1
fi
idle=$(rss_kib)
before=$(presences | wc -l)
echo "idle: VmRSS $((idle / 1024)) MiB, $before presences heard"

sent=$(ip netns exec "$prefix-h2" "$benchnet" flood 0 10 10.83.0.1)
echo "chat flood: sent, failed, seconds: $sent"
drops=$(ip netns exec "$prefix-h1" awk 'NR > 1 && $2 ~ /:7A51$/ { print $NF }' /proc/net/udp)
echo "datagrams the kernel dropped at alice's socket: ${drops:-unknown}"
if ! kill -0 "$alice" 2>/dev/null; then
    fail "alice ended under the chat flood"
    cat "$work/alice.log"
    exit 1
fi
after_chat=$(rss_kib)
after_count=$(presences | wc -l)
wait_presences $((after_count + 2)) || fail "alice stopped announcing herself after the chat flood"
echo "after the chat flood: VmRSS $((after_chat / 1024)) MiB"
if ((after_chat - idle > chat_flood_mib * 1024)); then
    fail "the chat flood grew alice's memory by $(((after_chat - idle) / 1024)) MiB (bound $chat_flood_mib MiB)"
fi

ip netns exec "$prefix-h2" "$benchnet" flood 100 10 10.83.0.1 alice 100 > "$work/messages-sent"
echo "private messages: sent, failed, seconds: $(cat "$work/messages-sent")"
count=$(presences | wc -l)
wait_presences $((count + 1)) || fail "alice stopped announcing herself after the private messages"
after_messages=$(rss_kib)
echo "after 1,000 private messages: VmRSS $((after_messages / 1024)) MiB"
if ! kill -0 "$alice" 2>/dev/null; then
    fail "alice ended under the private messages"
elif ((after_messages - after_chat > messages_mib * 1024)); then
    fail "1,000 private messages grew alice's memory by $(((after_messages - after_chat) / 1024)) MiB (bound $messages_mib MiB)"
fi

gaps=$(presences | awk 'NR > 1 { printf "%d ", $1 - last } { last = $1 }')
echo "gaps between alice's presences, ms: $gaps"
worst=0
for gap in $gaps; do ((gap > worst)) && worst=$gap; done
if ((worst > max_gap_ms)); then
    fail "alice went $worst ms without a presence (bound $max_gap_ms ms)"
else
    echo "ok: the longest gap between presences was $worst ms"
fi

if ((failures > 0)); then
    echo "--- alice's output:"; cat "$work/alice.log"
    echo "e2e-flood: $failures check(s) failed"
    exit 1
fi
echo "e2e-flood: all checks passed"
