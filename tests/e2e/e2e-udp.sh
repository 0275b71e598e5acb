#!/usr/bin/env bash
# Real stations on simulated LANs: two bridges, segment A (10.77.0.0/24) and
# segment B (10.78.0.0/24), with one veth card per host and segment, all in
# network namespaces made here, so nothing ever leaves this machine.
#   on A, host 1: station "alice" and a second copy "alice2" on the same computer
#         host 2: station "bob"
#         host 3: udplisten, which records every datagram heard on A with its bytes
#         host 4: a program holding the chat port without sharing it, and a
#                 station that must then refuse to start
#   on A and B, host 5: station "dora", default route on A; her card on B
#                 comes up while she runs
#   on B, host 6: udplisten for B
#         host 7: station "erin" on a host with no default route at all
#         host 8: station "frank", whose default route goes through a veth
#                 link into a namespace of its own, standing in for a VPN
#   on no network, host 9: station "gus", who must say once that he cannot send
#                 and keep running
# Checks that presence, availability and, on SIGTERM, departure arrive with
# the exact bytes of the wire format, from every station, and that every
# segment a station is on hears its presence once per period.
set -uo pipefail
quillet=${1:?usage: e2e-udp.sh QUILLET UDPLISTEN}
sniff=${2:?usage: e2e-udp.sh QUILLET UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qe2e "the end-to-end UDP test"
bridges 2
for i in 1 2 3 4 5 6 7 8 9; do new_namespace "$prefix-h$i"; done
for i in 1 2 3 4 5; do card $i eth0 br0 pa$i 10.77.0.$i/24; done
card 5 eth1 br1 pb5 10.78.0.5/24
ip -n "$prefix-h5" link set eth1 down
for i in 6 7 8; do card $i eth0 br1 pb$i 10.78.0.$i/24; done
for i in 1 2 3 4 5 6; do ip -n "$prefix-h$i" route add default dev eth0; done
# Host 8's "VPN": a link to a namespace of its own, taking the default route.
new_namespace "$prefix-vpn"
ip link add vpn0 netns "$prefix-h8" type veth peer name tunnel netns "$prefix-vpn"
ip -n "$prefix-h8" addr add 10.79.0.1/30 brd + dev vpn0
ip -n "$prefix-vpn" addr add 10.79.0.2/30 brd + dev tunnel
ip -n "$prefix-h8" link set vpn0 up
ip -n "$prefix-vpn" link set tunnel up
ip -n "$prefix-h8" route add default via 10.79.0.2 dev vpn0

ip netns exec "$prefix-h3" "$sniff" 100 > "$work/heard" &
pids+=($!)
ip netns exec "$prefix-h6" "$sniff" 100 > "$work/heard-b" &
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
start_station 5 dora
start_station 7 erin
start_station 8 frank
start_station 9 gus

hex() { printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n'; }
heard_at() { # address payload [file]: when each copy arrived, in ms
    awk -F '\t' -v from="$1" -v bytes="$(hex "$2")" '$2 == from && $3 == bytes { print $1 }' \
        "${3:-$work/heard}"
}
times_heard() { # address payload [file]
    heard_at "$@" | wc -l
}
heard_from() { # address payload
    (($(times_heard "$1" "$2") > 0))
}
# Every wait ends by this time, so even a run where nothing is heard ends,
# and cleans up, well inside the test's timeout.
deadline=$((SECONDS + 90))
wait_for() { # address payload [times] [file] [tenths of a second]
    for _ in $(seq 1 "${5:-120}"); do
        ((SECONDS < deadline)) || break
        (($(times_heard "$1" "$2" "${4:-$work/heard}") >= ${3:-1})) && return 0
        sleep 0.1
    done
    return 1
}

failures=0
fail() { # what
    echo "FAILED: $1"
    failures=$((failures + 1))
}
check() { # what address payload [times] [file] [tenths of a second]
    if wait_for "$2" "$3" "${4:-1}" "${5:-$work/heard}" "${6:-120}"; then
        echo "ok: $1"
    else
        fail "$1 (expected $(hex "$3") from $2)"
    fi
}

# A period is 5 s. Copies sent twice to one segment arrive within
# milliseconds of each other; half a period apart is plainly two periods.
min_gap_ms=2500
once_per_period() { # what address payload file
    if ! wait_for "$2" "$3" 3 "$4" 300; then
        fail "$1: fewer than three periods heard (expected $(hex "$3") from $2)"
        return
    fi
    local gaps
    gaps=$(heard_at "$2" "$3" "$4" | awk 'NR > 1 { printf "%d ", $1 - last } { last = $1 }')
    for gap in $gaps; do
        if ((gap < min_gap_ms)); then
            fail "$1: heard twice within $gap ms (gaps: $gaps)"
            return
        fi
    done
    echo "ok: $1 (gaps in ms: $gaps)"
}

# The shapes themselves: on host 7 a broadcast has no route at all; on
# host 8 it is routed into the VPN link, away from the LAN.
if ip -n "$prefix-h7" route get 255.255.255.255 >/dev/null 2>&1; then
    fail "host 7 has a route for a broadcast"
fi
if ! ip -n "$prefix-h8" route get 255.255.255.255 2>&1 | grep -q "dev vpn0"; then
    fail "host 8 does not route a broadcast into its VPN link"
fi

check "alice's presence" 10.77.0.1 "3§alice§"
check "alice's availability" 10.77.0.1 "10§alice§0§"
check "alice2's presence from the same host" 10.77.0.1 "3§alice2§"
check "alice2's availability" 10.77.0.1 "10§alice2§0§"
check "bob's presence" 10.77.0.2 "3§bob§"
check "bob's availability" 10.77.0.2 "10§bob§0§"

# A station keeps announcing itself every period (5 s).
check "bob's presence repeated in the next period" 10.77.0.2 "3§bob§" 2

# Every network a computer is on hears it, whatever its routes.
check "dora's presence on segment A" 10.77.0.5 "3§dora§"
ip -n "$prefix-h5" link set eth1 up
check "dora's presence on segment B once her card there comes up" 10.78.0.5 "3§dora§" 1 "$work/heard-b" 250
check "erin's presence from a host with no default route" 10.78.0.7 "3§erin§" 1 "$work/heard-b"
check "erin's availability from a host with no default route" 10.78.0.7 "10§erin§0§" 1 "$work/heard-b"
check "frank's presence on his LAN, default route through a VPN link" 10.78.0.8 "3§frank§" 1 "$work/heard-b"

kill -TERM "$pid_bob" "$pid_alice2"
check "bob's departure on SIGTERM" 10.77.0.2 "7§bob"
check "alice2's departure on SIGTERM" 10.77.0.1 "7§alice2"
for pid in $pid_bob $pid_alice2; do
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "a station did not end after SIGTERM"
    fi
done
if heard_from 10.77.0.1 "7§alice"; then
    fail "alice left though she was not asked to"
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
    fail "a station on a held port ended with status $status"
fi
if grep -q "$(hex "3§carol§")" "$work/heard"; then
    fail "the station that could not listen announced itself"
fi

# Each segment hears each station's presence once per period, not once per
# card or route.
once_per_period "alice once per period on segment A" 10.77.0.1 "3§alice§" "$work/heard"
once_per_period "dora once per period on segment A" 10.77.0.5 "3§dora§" "$work/heard"
once_per_period "dora once per period on segment B" 10.78.0.5 "3§dora§" "$work/heard-b"
once_per_period "erin once per period on segment B" 10.78.0.7 "3§erin§" "$work/heard-b"
once_per_period "frank once per period on segment B" 10.78.0.8 "3§frank§" "$work/heard-b"

# By now every station has sent for several periods. Sends that reach no
# network are said once, not every period, and harm nothing.
if grep -q "cannot send" "$work/gus.log" && kill -0 "$pid_gus" 2>/dev/null; then
    if (($(grep -c "cannot send" "$work/gus.log") == 1)); then
        echo "ok: a station on no network says once that it cannot send"
    else
        fail "a station on no network said more than once that it cannot send"
    fi
else
    fail "a station on no network did not say that it cannot send, or ended"
fi

if ((failures > 0)); then
    echo "--- heard on segment A:"; cat "$work/heard"
    echo "--- heard on segment B:"; cat "$work/heard-b"
    for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
    echo "e2e-udp: $failures check(s) failed"
    exit 1
fi
echo "e2e-udp: all checks passed"
