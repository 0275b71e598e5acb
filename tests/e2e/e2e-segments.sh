#!/usr/bin/env bash
# Each datagram taken once, and a station cut off saying so, between
# widget-free stations (stationprobe) on real UDP. Two bridges, segment A
# (10.84.0.0/24) and segment B (10.84.1.0/24), in network namespaces made
# here, so nothing ever leaves this machine.
#   on A and B, host 1: "dora", who says two lines in the Work room
#               host 2: "lena", who listens
#   on A, host 3: udplisten for A;  on B, host 4: udplisten for B
#   on A, host 5: "carl", whose card goes down and comes back
# Checks that both segments carry dora's line once each, that lena (hearing
# it on both) and dora (hearing herself on both) take it once, and that carl
# says nobody hears him within two periods of losing his card and stops
# saying it once the card is back.
set -uo pipefail
probe=${1:?usage: e2e-segments.sh STATIONPROBE UDPLISTEN}
sniff=${2:?usage: e2e-segments.sh STATIONPROBE UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qseg "the end-to-end UDP test"
bridges 2
for i in 1 2 3 4 5; do new_namespace "$prefix-h$i"; done
for i in 1 2 3 5; do card $i eth0 br0 pa$i 10.84.0.$i/24; done
for i in 1 2 4; do card $i eth1 br1 pb$i 10.84.1.$i/24; done
for i in 1 2 3 5; do ip -n "$prefix-h$i" route add default dev eth0; done

ip netns exec "$prefix-h3" "$sniff" 80 > "$work/heard-a" &
pids+=($!)
ip netns exec "$prefix-h4" "$sniff" 80 > "$work/heard-b" &
pids+=($!)
sleep 1

first="hello from two networks"
last="and goodbye"
start_probe() { # host user [after text]...
    local host=$1 user=$2
    shift 2
    ip netns exec "$prefix-h$host" env -i PATH="$PATH" "$probe" "$user" "$@" > "$work/$user.out" 2> "$work/$user.err" &
    pids+=($!)
}
start_probe 2 lena
start_probe 5 carl
start_probe 1 dora 1500 "$first" 2500 "$last"

failures=0
# Every wait ends by this time, so even a run where nothing is heard ends,
# and cleans up, well inside the test's timeout.
deadline=$((SECONDS + 70))
copies() { # file address text: datagrams from address whose bytes contain text
    awk -F '\t' -v from="$2" -v bytes="$(hex "$3")" '$2 == from && index($3, bytes) { n++ } END { print n + 0 }' "$1"
}

# Lines are read in the order they arrive, so once the last line is taken
# every copy of the first has been read too.
for station in lena dora; do
    if wait_for "$work/$station.out" "]> $last"; then
        count=$(grep -c -- "]> $first" "$work/$station.out")
        if ((count == 1)); then
            echo "ok: $station takes dora's line once"
        else
            fail "$station took dora's line $count times"
        fi
    else
        fail "$station did not hear dora's lines"
    fi
done
# Without two copies on the wire the check above would prove nothing.
wait_for "$work/heard-a" "$(hex "$last")"
wait_for "$work/heard-b" "$(hex "$last")"
a=$(copies "$work/heard-a" 10.84.0.1 "$first")
b=$(copies "$work/heard-b" 10.84.1.1 "$first")
if ((a == 1 && b == 1)); then
    echo "ok: dora's line crossed each segment once"
else
    fail "dora's line crossed segment A $a and segment B $b times"
fi

# Cut off: within two periods (5 s each) of losing his only card.
ip -n "$prefix-h5" link set eth0 down
down_at=$SECONDS
if wait_for "$work/carl.out" "hearing nobody" 120; then
    took=$((SECONDS - down_at))
    if ((took <= 11)); then
        echo "ok: carl says nobody hears him, $took s after his card went down"
    else
        fail "carl said nobody hears him only after $took s"
    fi
else
    fail "carl never said that nobody hears him"
fi
ip -n "$prefix-h5" link set eth0 up
if wait_for "$work/carl.out" "hearing heard" 150; then
    echo "ok: carl stops saying it once his card is back"
else
    fail "carl still says nobody hears him with his card back"
fi

if ((failures > 0)); then
    for f in "$work"/*.out "$work"/*.err; do echo "--- $f"; cat "$f"; done
    echo "--- heard on segment A:"; cat "$work/heard-a"
    echo "--- heard on segment B:"; cat "$work/heard-b"
    echo "e2e-segments: $failures check(s) failed"
    exit 1
fi
echo "e2e-segments: all checks passed"
