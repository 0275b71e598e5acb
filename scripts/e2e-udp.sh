#!/usr/bin/env bash
# Real stations on a simulated LAN: a bridge and one veth per host, all in
# network namespaces made here, so nothing ever leaves this machine.
#   host 1: station "alice" and a second copy "alice2" on the same computer
#   host 2: station "bob"
#   host 3: udpsniff, which records every datagram with its bytes
#   host 4: a program holding the chat port without sharing it, and a station
#           that must then refuse to start
# Checks that presence, availability and, on SIGTERM, departure arrive with
# the exact bytes of the wire format, from every station.
set -uo pipefail
quillet=${1:?usage: e2e-udp.sh QUILLET UDPSNIFF}
sniff=${2:?usage: e2e-udp.sh QUILLET UDPSNIFF}
SKIP=77

if [[ $(id -u) != 0 ]]; then
    echo "SKIPPED: the end-to-end UDP test needs root to create network namespaces"
    exit $SKIP
fi
if ! command -v ip >/dev/null || ! ip netns add qe2e-probe-$$ 2>/dev/null; then
    echo "SKIPPED: network namespaces are not available here (iproute2 missing or not permitted)"
    exit $SKIP
fi
ip netns del qe2e-probe-$$

prefix=qe2e$$
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    for i in 1 2 3 4; do ip netns del "$prefix-h$i" 2>/dev/null; done
    ip netns del "$prefix-br" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$prefix-br"
ip netns exec "$prefix-br" ip link add br0 type bridge
ip netns exec "$prefix-br" ip link set br0 up
for i in 1 2 3 4; do
    h=$prefix-h$i
    ip netns add "$h"
    ip link add eth0 netns "$h" type veth peer name port$i netns "$prefix-br"
    ip netns exec "$prefix-br" ip link set port$i master br0
    ip netns exec "$prefix-br" ip link set port$i up
    ip netns exec "$h" ip link set lo up
    ip netns exec "$h" ip addr add 10.77.0.$i/24 brd 10.77.0.255 dev eth0
    ip netns exec "$h" ip link set eth0 up
    ip netns exec "$h" ip route add default dev eth0
done


ip netns exec "$prefix-h3" "$sniff" 40 > "$work/heard" &
pids+=($!)
sleep 1

start_station() { # host user
    # Started directly (not through a function) so $! is the station itself.
    ip netns exec "$prefix-h$1" env -i PATH="$PATH" HOME="$work" USERNAME="$2" QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$work" "$quillet" > "$work/$2.log" 2>&1 &
    pids+=($!)
    eval "pid_$2=$!"
}
start_station 1 alice
start_station 1 alice2
start_station 2 bob

hex() { printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n'; }
times_heard() { # address payload
    grep -c "^$1	$(hex "$2")\$" "$work/heard"
}
heard_from() { # address payload
    (($(times_heard "$1" "$2") > 0))
}
wait_for() { # address payload [times]
    for _ in $(seq 1 120); do
        (($(times_heard "$1" "$2") >= ${3:-1})) && return 0
        sleep 0.1
    done
    return 1
}

failures=0
check() { # what address payload [times]
    if wait_for "$2" "$3" "${4:-1}"; then
        echo "ok: $1"
    else
        echo "FAILED: $1 (expected $(hex "$3") from $2)"
        failures=$((failures + 1))
    fi
}

check "alice's presence" 10.77.0.1 "3§alice§"
check "alice's availability" 10.77.0.1 "10§alice§0§"
check "alice2's presence from the same host" 10.77.0.1 "3§alice2§"
check "alice2's availability" 10.77.0.1 "10§alice2§0§"
check "bob's presence" 10.77.0.2 "3§bob§"
check "bob's availability" 10.77.0.2 "10§bob§0§"

# A station keeps announcing itself every period (5 s).
check "bob's presence repeated in the next period" 10.77.0.2 "3§bob§" 2

kill -TERM "$pid_bob" "$pid_alice2"
check "bob's departure on SIGTERM" 10.77.0.2 "7§bob"
check "alice2's departure on SIGTERM" 10.77.0.1 "7§alice2"
for pid in $pid_bob $pid_alice2; do
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAILED: a station did not end after SIGTERM"
        failures=$((failures + 1))
    fi
done
if heard_from 10.77.0.1 "7§alice"; then
    echo "FAILED: alice left though she was not asked to"
    failures=$((failures + 1))
fi

# A port held without sharing: the station says why and ends with an error.
ip netns exec "$prefix-h4" "$sniff" 15 31313 exclusive > /dev/null &
pids+=($!)
sleep 0.5
ip netns exec "$prefix-h4" env -i PATH="$PATH" HOME="$work" USERNAME=carol QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$work" timeout 20 "$quillet" > "$work/carol.log" 2>&1
status=$?
if [[ $status == 2 ]] && grep -q "port 31313" "$work/carol.log"; then
    echo "ok: a station refuses to start on a port held without sharing"
else
    echo "FAILED: a station on a held port ended with status $status"
    failures=$((failures + 1))
fi
if grep -q "$(hex "3§carol§")" "$work/heard"; then
    echo "FAILED: the station that could not listen announced itself"
    failures=$((failures + 1))
fi

if ((failures > 0)); then
    echo "--- heard:"; cat "$work/heard"
    for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
    echo "e2e-udp: $failures check(s) failed"
    exit 1
fi
echo "e2e-udp: all checks passed"
