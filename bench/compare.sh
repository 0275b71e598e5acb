#!/usr/bin/env bash
# Quillet against its floor, side by side in one run, on private LANs of
# network namespaces made here (a bridge and one veth per host), so nothing
# leaves this machine. Needs root.
#
#   compare.sh [-r ROUNDS] [-i IDLE_SECONDS] [-s STEP_SECONDS] [-g SEGMENT_SECONDS] [-l UDPLISTEN] [-b] [-v] QUILLET [BENCH_DIR]
#
# BENCH_DIR holds floor and benchnet (default: bench/ beside QUILLET, as a
# build with -DQUILLET_BENCHMARKS=ON lays them out); UDPLISTEN is the
# end-to-end tests' listener (default: tests/e2e/udplisten beside QUILLET),
# here both the listening host and the bare receiving loop. Each round runs every
# program once, in an order that turns from round to round, and the table shows
# medians over the rounds:
#   - exec -> first broadcast: from the exec of the program to the first
#     datagram a listener on another host hears from it;
#   - VmRSS and RssAnon (private memory) 10 s after start;
#   - CPU time (the scheduler's run time of every thread) over IDLE_SECONDS
#     of idling after those 10 s;
#   - the highest chat rate at which every datagram is read: chat lines are
#     broadcast from another host at rising rates, STEP_SECONDS each, and a
#     rate passes when the receiving host's UDP counters show no receive-buffer
#     error and at least as many datagrams read as sent. Quillet against a bare
#     receiving loop bound the same way;
#   - Quillet's CPU per datagram read at 2,000 a second and when flooded;
#   - a segment of 1,000 and of 5,000 idle stations, simulated by one host
#     (each station's presence and availability once per 5 s period): the CPU
#     per datagram read, Quillet against the bare receiving loop, over
#     SEGMENT_SECONDS once every station has been heard for a period;
#   - two segments joined by two bridges (quillet bridge) and a mosquitto
#     broker on a router host between them: the highest rate at which every
#     chat line sent on one segment (from 250 addresses, so no source meets
#     its rate bound) is broadcast on the other, against the bare receiving
#     loop's rate, and the delay the bridges add (median and 99th percentile)
#     at 1,000 a second, from a listener on the first segment to one on the
#     second. With -b only this, and the bare loop's rate, are measured.
# The programs run on the offscreen platform. The floor is a bare Qt main window
# with a text log (bench/floor.cpp); "plain" is the same without the log. If
# iptux is installed, its memory is measured too, under an Xvfb started here.
set -uo pipefail

rounds=7
idle=60
step=2
segtime=20
verbose=
listen=
usage() {
    echo "usage: compare.sh [-r ROUNDS] [-i IDLE_SECONDS] [-s STEP_SECONDS] [-g SEGMENT_SECONDS] [-l UDPLISTEN] [-b] [-v] QUILLET [BENCH_DIR]" >&2
    echo "  -b measures only the bridges (and the bare loop they are compared with)" >&2
    echo "  -v prints every measurement as it is taken" >&2
    exit 64
}
bridge_only=
while getopts "r:i:s:g:l:bvh" option; do
    case $option in
        r) rounds=$OPTARG ;;
        i) idle=$OPTARG ;;
        s) step=$OPTARG ;;
        g) segtime=$OPTARG ;;
        l) listen=$OPTARG ;;
        b) bridge_only=1 ;;
        v) verbose=1 ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
(($# >= 1)) || usage
quillet=$(realpath "$1")
benchdir=$(realpath "${2:-$(dirname "$quillet")/bench}")
floor=$benchdir/floor
benchnet=$benchdir/benchnet
listen=$(realpath -m "${listen:-$(dirname "$quillet")/tests/e2e/udplisten}")
for program in "$quillet" "$floor" "$benchnet" "$listen"; do
    [[ -x $program ]] || { echo "compare.sh: $program is missing; build with -DQUILLET_BENCHMARKS=ON" >&2; exit 2; }
done

if [[ $(id -u) != 0 ]]; then
    echo "compare.sh needs root: it measures inside network namespaces it creates, so that no" >&2
    echo "station ever broadcasts on this machine's own network. Run it again with sudo." >&2
    exit 2
fi
if ! command -v ip >/dev/null || ! ip netns add qcmp-probe-$$ 2>/dev/null; then
    echo "compare.sh: network namespaces are not available here (iproute2 missing or not permitted)" >&2
    exit 2
fi
ip netns del qcmp-probe-$$

# Segments of idle stations heard, and how long a station listens before the
# measurement: one period to hear every station, and two seconds more.
segments=(1000 5000)
segsettle=7
# Rates tried in turn; 2,000 a second is always among them.
rates=(1000 2000 3000 4000 5000 7000 10000 14000 20000 28000 40000 56000 80000 110000 150000)
settle=10
# Rates tried through the bridges, and the one the delay is measured at.
bridge_rates=(500 1000 2000 3000 4000 6000 8000 11000)
bridge_delay_rate=1000
bridge_namespaces=()
tick=$(getconf CLK_TCK)
prefix=qcmp$$
work=$(mktemp -d)
pids=()
lanes=()
xvfb_pid=
watchdog_pid=

cleanup() {
    trap - EXIT INT TERM
    [[ -n $watchdog_pid ]] && kill "$watchdog_pid" 2>/dev/null
    for pid in "${pids[@]}" $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    for ns in "${bridge_namespaces[@]}"; do ip netns del "$ns" 2>/dev/null; done
    for lane in "${lanes[@]}"; do
        for h in 1 2 3; do ip netns del "$prefix-$lane-h$h" 2>/dev/null; done
        ip netns del "$prefix-$lane-br" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Stops by itself: a bound on the whole run, well above what it should take.
limit=$((rounds * (60 + 3 * step * ${#bridge_rates[@]} + settle + idle + 60 + 3 * step * ${#rates[@]} + 2 * ${#segments[@]} * (segsettle + segtime + 5)) + 120))
(
    trap 'kill $sleeper 2>/dev/null; exit 0' TERM
    sleep "$limit" & sleeper=$!
    wait $sleeper
    echo "compare.sh: still running after $limit s, stopping" >&2
    kill -TERM $$
) &
watchdog_pid=$!

# One LAN per program, so no program hears another's broadcasts:
#   h1 runs the program, h2 listens, h3 sends the chat flood.
make_lane() { # name subnet-number
    local lane=$1 net=10.66.$2 h
    lanes+=("$lane")
    ip netns add "$prefix-$lane-br"
    ip netns exec "$prefix-$lane-br" ip link add br0 type bridge
    ip netns exec "$prefix-$lane-br" ip link set br0 up
    for h in 1 2 3; do
        ip netns add "$prefix-$lane-h$h"
        ip link add eth0 netns "$prefix-$lane-h$h" type veth peer name port$h netns "$prefix-$lane-br"
        ip netns exec "$prefix-$lane-br" ip link set port$h master br0
        ip netns exec "$prefix-$lane-br" ip link set port$h up
        ip netns exec "$prefix-$lane-h$h" ip link set lo up
        ip netns exec "$prefix-$lane-h$h" ip addr add "$net.$h/24" brd "$net.255" dev eth0
        ip netns exec "$prefix-$lane-h$h" ip link set eth0 up
        ip netns exec "$prefix-$lane-h$h" ip route add default dev eth0
    done
}
make_lane quillet 1
make_lane floor 2
make_lane plain 3

iptux=$(command -v iptux || true)
if [[ -n $iptux ]]; then
    if command -v Xvfb >/dev/null; then
        make_lane iptux 4
        Xvfb :$((100 + $$ % 800)) -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
        xvfb_pid=$!
        display=:$((100 + $$ % 800))
    else
        echo "compare.sh: iptux is installed but Xvfb is not; iptux is left out" >&2
        iptux=
    fi
fi

ns() { ip netns exec "$prefix-$1-h$2" "${@:3}"; }
now_ns() { date +%s%N; }
clean_env() { # name
    echo env -i PATH="$PATH" HOME="$work" USERNAME="$1" USER="$1" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
}
# Sockets bound to the chat port (7A51 in hex) on a host: "tx_queue:rx_queue" each.
chat_sockets() { ns "$1" "$2" awk '$2 ~ /:7A51$/ { print $5 }' /proc/net/udp; }
wait_bound() { # lane host
    for _ in $(seq 1 300); do [[ -n $(chat_sockets "$1" "$2") ]] && return 0; sleep 0.01; done
    return 1
}
wait_drained() { # lane host
    for _ in $(seq 1 100); do
        chat_sockets "$1" "$2" | grep -qv ':00000000$' || return 0
        sleep 0.05
    done
    return 1
}
# The host's UDP counters: InDatagrams (read by programs), RcvbufErrors, InErrors.
udp_counters() { # lane host
    ns "$1" "$2" awk '/^Udp:/ { if (++n == 1) for (i = 1; i <= NF; i++) h[$i] = i;
        else print $h["InDatagrams"], $h["RcvbufErrors"], $h["InErrors"] }' /proc/net/snmp
}
# CPU time of a process in ns: from the scheduler's per-thread run time where
# the kernel keeps it (finer than the 10 ms ticks of utime + stime).
cpu_ns() {
    if [[ -r /proc/$1/schedstat ]]; then
        cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'
    else
        sed 's/.*) //' "/proc/$1/stat" | awk -v t="$tick" '{ printf "%.0f\n", ($12 + $13) * 1e9 / t }'
    fi
}
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }
record() { # measure program value
    echo "$3" >> "$work/$1.$2"
    [[ -n $verbose ]] && echo "    $2 $1 $3"
}
stop() { kill -TERM "$@" 2>/dev/null; for pid in "$@"; do wait "$pid" 2>/dev/null; done; }

# Starts a program on host 1 of its lane and stores its pid in $started;
# records how long until its first datagram reaches host 2.
start_heard() { # lane command...
    local lane=$1; shift
    rm -f "$work/stamp"
    # Started directly, not through a function, so that $! is the program itself.
    ip netns exec "$prefix-$lane-h2" "$listen" -N -n 1 10 > "$work/heard" &
    local listener=$!
    pids+=("$listener")
    wait_bound "$lane" 2 || echo "compare.sh: the listener on $lane did not start" >&2
    ip netns exec "$prefix-$lane-h1" $(clean_env bench) "$benchnet" exec "$work/stamp" "$@" > "$work/$lane.log" 2>&1 &
    started=$!
    pids+=("$started")
    wait "$listener"
    local heard stamp
    heard=$(cut -f1 "$work/heard")
    stamp=$(cat "$work/stamp" 2>/dev/null)
    if [[ -n $heard && -n $stamp ]]; then
        record startup "$lane" "$(awk -v a="$heard" -v b="$stamp" 'BEGIN { printf "%.2f", (a - b) / 1e6 }')"
    else
        echo "compare.sh: nothing heard from $lane within 10 s" >&2
    fi
}

idle_round() { # round
    local order=(quillet floor plain) lane pid n=${#order[@]}
    local -A pid_of start_of
    for ((k = 0; k < n; k++)); do
        lane=${order[(k + $1) % n]}
        case $lane in
            quillet) start_heard quillet "$quillet" ;;
            floor) start_heard floor "$floor" ;;
            plain) start_heard plain "$floor" --plain ;;
        esac
        pid_of[$lane]=$started
        start_of[$lane]=$(now_ns)
        sleep 1
    done
    if [[ -n $iptux ]]; then
        ip netns exec "$prefix-iptux-h1" $(clean_env bench) DISPLAY="$display" "$iptux" > "$work/iptux.log" 2>&1 &
        pid_of[iptux]=$!
        start_of[iptux]=$(now_ns)
        pids+=("$!")
    fi
    local -A cpu_of
    for lane in quillet floor plain ${iptux:+iptux}; do
        pid=${pid_of[$lane]}
        local wait_ns=$((start_of[$lane] + settle * 1000000000 - $(now_ns)))
        ((wait_ns > 0)) && sleep "$(awk -v w="$wait_ns" 'BEGIN { printf "%.3f", w / 1e9 }')"
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "compare.sh: $lane ended early:" >&2; cat "$work/$lane.log" >&2
            continue
        fi
        record rss "$lane" "$(awk -v k="$(status_kb "$pid" VmRSS)" 'BEGIN { printf "%.1f", k / 1024 }')"
        record anon "$lane" "$(awk -v k="$(status_kb "$pid" RssAnon)" 'BEGIN { printf "%.1f", k / 1024 }')"
        cpu_of[$lane]=$(cpu_ns "$pid")
    done
    sleep "$idle"
    for lane in quillet floor plain; do
        pid=${pid_of[$lane]}
        [[ -n ${cpu_of[$lane]:-} ]] && kill -0 "$pid" 2>/dev/null &&
            record idlecpu "$lane" "$(awk -v d=$(($(cpu_ns "$pid") - cpu_of[$lane])) 'BEGIN { printf "%.1f", d / 1e6 }')"
    done
    stop "${pid_of[@]}"
}

# One flood of chat lines at a rate (0: as fast as the sender can) into the
# program $pid on host 1 of the quillet lane. Sets sent, read, drops, cpu_us.
flood_step() { # rate
    local before after cpu flood
    before=($(udp_counters quillet 1))
    cpu=$(cpu_ns "$pid")
    flood=($(ns quillet 3 "$benchnet" flood "$1" "$step"))
    wait_drained quillet 1 || echo "compare.sh: the receiving socket did not drain" >&2
    after=($(udp_counters quillet 1))
    sent=${flood[0]}
    achieved=$(awk -v n="$sent" -v t="${flood[2]}" 'BEGIN { printf "%.0f", n / t }')
    read=$((after[0] - before[0]))
    drops=$((after[1] - before[1] + after[2] - before[2]))
    cpu_us=$((($(cpu_ns "$pid") - cpu) / 1000))
    [[ -n $verbose ]] && echo "    rate $1: sent $sent ($achieved/s), read $read, dropped $drops, CPU $cpu_us us"
}

rate_run() { # who: quillet or loop
    local who=$1 best=0 limited= rate cpu2000=
    if [[ $who == quillet ]]; then
        ip netns exec "$prefix-quillet-h1" $(clean_env bench) "$quillet" > "$work/rate-quillet.log" 2>&1 &
    else
        ip netns exec "$prefix-quillet-h1" "$listen" -q 0 > "$work/rate-loop.log" 2>&1 &
    fi
    pid=$!
    pids+=("$pid")
    wait_bound quillet 1 || echo "compare.sh: $who did not bind the chat port" >&2
    sleep 1
    for rate in "${rates[@]}"; do
        flood_step "$rate"
        ((rate == 2000)) && cpu2000=$(awk -v c="$cpu_us" -v n="$read" 'BEGIN { if (n > 0) printf "%.1f", c / n }')
        if ((drops > 0 || read < sent)); then
            break
        fi
        best=$rate
        if ((achieved < rate * 95 / 100)); then
            # Every datagram was read, but the sender could go no faster.
            best=$achieved
            limited=1
            break
        fi
    done
    if [[ -z $cpu2000 ]]; then
        flood_step 2000
        cpu2000=$(awk -v c="$cpu_us" -v n="$read" 'BEGIN { if (n > 0) printf "%.1f", c / n }')
    fi
    flood_step 0
    record rate "$who" "$best"
    record cpu2000 "$who" "$cpu2000"
    record cpusat "$who" "$(awk -v c="$cpu_us" -v n="$read" 'BEGIN { if (n > 0) printf "%.1f", c / n }')"
    record satrate "$who" "$(awk -v n="$read" -v t="$step" 'BEGIN { printf "%.0f", n / t }')"
    [[ -n $limited ]] && record limited "$who" "$best"
    stop "$pid"
}

# A segment of idle stations heard by $who (quillet or loop) on host 1 of the
# quillet lane, sent from host 3.
segment_run() { # who stations
    local who=$1 stations=$2 sender before after cpu read
    if [[ $who == quillet ]]; then
        ip netns exec "$prefix-quillet-h1" $(clean_env bench) "$quillet" > "$work/segment-quillet.log" 2>&1 &
    else
        ip netns exec "$prefix-quillet-h1" "$listen" -q 0 > "$work/segment-loop.log" 2>&1 &
    fi
    pid=$!
    pids+=("$pid")
    wait_bound quillet 1 || echo "compare.sh: $who did not bind the chat port" >&2
    ns quillet 3 "$benchnet" segment "$stations" $((segsettle + segtime + 1)) > /dev/null &
    sender=$!
    pids+=("$sender")
    sleep "$segsettle"
    before=($(udp_counters quillet 1))
    cpu=$(cpu_ns "$pid")
    sleep "$segtime"
    after=($(udp_counters quillet 1))
    cpu=$(($(cpu_ns "$pid") - cpu))
    read=$((after[0] - before[0]))
    record "seg$stations" "$who" "$(awk -v c="$cpu" -v n="$read" 'BEGIN { if (n > 0) printf "%.2f", c / n / 1000 }')"
    record "segcore$stations" "$who" "$(awk -v c="$cpu" -v t="$segtime" 'BEGIN { printf "%.2f", c / t / 1e7 }')"
    [[ -n $verbose ]] && echo "    segment of $stations, $who: read $read, drops $((after[1] - before[1] + after[2] - before[2])), CPU $((cpu / 1000)) us"
    wait "$sender"
    stop "$pid"
}

# Two segments, A (10.68.0.0/16) and B (10.69.0.0/24), joined by a bridge on
# each and a router host with a mosquitto broker between them:
#   A: h1 sends (from 10.68.1.1 .. 10.68.1.250), h2 bridge, h6 listens
#   B: h4 bridge, h5 listens;  h3 the router and broker
make_bridge_lane() {
    local h a
    # The end-to-end tests' helpers make the namespaces: "$prefix-br" holds
    # the segments' bridges, "$prefix-hN" the hosts; cleanup deletes them.
    . "$(dirname "$0")/../tests/e2e/e2e-lib.sh"
    bridges 2
    for h in 1 2 3 4 5 6; do new_namespace "$prefix-h$h"; done
    bridge_namespaces=("${namespaces[@]}")
    for h in 1 2 6; do card $h eth0 br0 a$h 10.68.0.$h/16; done
    for h in 4 5; do card $h eth0 br1 b$h 10.69.0.$h/24; done
    card 3 eth0 br0 a3 10.68.0.254/16
    card 3 eth1 br1 b3 10.69.0.254/24
    for h in 1 2 4 5 6; do ip -n "$prefix-h$h" route add default dev eth0; done
    for a in $(seq 1 250); do ip -n "$prefix-h1" addr add 10.68.1.$a/16 dev eth0; done
    # The broker drops to the mosquitto user: its settings must be readable.
    mkdir -m 755 "$work/broker"
    chmod 711 "$work"
    printf 'listener 1883\nallow_anonymous true\npersistence false\n' > "$work/broker/mosquitto.conf"
    chmod 644 "$work/broker/mosquitto.conf"
}
bns() { ip netns exec "$prefix-h$1" "${@:2}"; }
# Chat lines at RATE a second for SECONDS, from 250 addresses in turn, each
# line numbered; prints how many were sent.
spread_flood() { # rate seconds
    bns 1 python3 - "$1" "$2" <<'PY'
import socket, sys, time
rate, seconds = float(sys.argv[1]), float(sys.argv[2])
senders = []
for a in range(1, 251):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.bind(("10.68.1.%d" % a, 0))
    senders.append(s)
start, sent = time.monotonic(), 0
while True:
    now = time.monotonic()
    if now - start >= seconds:
        break
    due = int((now - start) * rate) + 1
    while sent < due:
        line = "1\u00a7[bench,12:00:00]> line %d of the bridge flood" % sent
        senders[sent % len(senders)].sendto(line.encode("cp1252"), ("255.255.255.255", 31313))
        sent += 1
    time.sleep(0.0005)
print(sent)
PY
}
bridge_run() {
    local mosquitto=$(PATH=$PATH:/usr/sbin command -v mosquitto)
    [[ -z $mosquitto ]] && { echo "compare.sh: mosquitto is missing; the bridges are not measured" >&2; return; }
    # Started directly, not through bns, so that $! is the program itself.
    ip netns exec "$prefix-h3" "$mosquitto" -c "$work/broker/mosquitto.conf" > /dev/null 2>&1 &
    local broker=$! best=0 rate sent got delays
    pids+=("$broker")
    sleep 0.5
    ip netns exec "$prefix-h2" $(clean_env bridge) "$quillet" bridge mqtt://10.68.0.254 > "$work/bridge-a.log" 2>&1 &
    local bridge_a=$!
    ip netns exec "$prefix-h4" $(clean_env bridge) "$quillet" bridge mqtt://10.69.0.254 > "$work/bridge-b.log" 2>&1 &
    local bridge_b=$!
    pids+=("$bridge_a" "$bridge_b")
    for _ in $(seq 1 100); do
        grep -q "connected to" "$work/bridge-a.log" && grep -q "connected to" "$work/bridge-b.log" && break
        sleep 0.1
    done
    sleep 0.5
    # Lines of the flood are "1§[bench,..." on the wire.
    local marker=$(printf '1\xa7[bench' | od -An -tx1 | tr -d ' \n')
    for rate in "${bridge_rates[@]}"; do
        ip netns exec "$prefix-h6" "$listen" -N 0 > "$work/bridge-heard-a" &
        local heard_a=$!
        ip netns exec "$prefix-h5" "$listen" -N 0 > "$work/bridge-heard-b" &
        local heard_b=$!
        pids+=("$heard_a" "$heard_b")
        sleep 0.3
        sent=$(spread_flood "$rate" "$step")
        # The bridge's own rate bound is per source; a second is ample to drain.
        sleep 1
        stop "$heard_a" "$heard_b"
        got=$(awk -F '\t' -v m="$marker" '$2 == "10.69.0.4" && index($3, m) == 1 { n++ } END { print n + 0 }' "$work/bridge-heard-b")
        [[ -n $verbose ]] && echo "    bridges at $rate/s: sent $sent, broadcast on B $got"
        if ((rate == bridge_delay_rate && got == sent)); then
            # Arrival on A to arrival on B, per line, in ms.
            awk -F '\t' -v m="$marker" 'index($3, m) != 1 { next }
                FILENAME == ARGV[1] { a[$3] = $1; next } ($3 in a) { printf "%.3f\n", ($1 - a[$3]) / 1e6 }' \
                "$work/bridge-heard-a" "$work/bridge-heard-b" | sort -g > "$work/bridge-delays"
            record bridgemedian bridge "$(awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }' "$work/bridge-delays")"
            record bridgep99 bridge "$(awk '{ v[NR] = $1 } END { if (NR) { i = int(NR * 0.99 + 0.999); print v[i] } }' "$work/bridge-delays")"
        fi
        ((got < sent)) && break
        best=$rate
    done
    record bridgerate bridge "$best"
    stop "$bridge_a" "$bridge_b" "$broker"
}
if command -v python3 >/dev/null; then
    make_bridge_lane
else
    echo "compare.sh: python3 is missing; the bridges are not measured" >&2
fi

echo "compare.sh: $rounds rounds, idle $idle s, flood steps of $step s, segments of ${segments[*]} for $segtime s; quillet: $quillet"
started_at=$(date +%s)
for ((r = 0; r < rounds; r++)); do
    if [[ -n $bridge_only ]]; then
        rate_run loop
        ((${#bridge_namespaces[@]})) && bridge_run
        echo "  round $((r + 1)) of $rounds done ($(($(date +%s) - started_at)) s)"
        continue
    fi
    ((${#bridge_namespaces[@]})) && bridge_run
    idle_round "$r"
    if ((r % 2 == 0)); then rate_run quillet; rate_run loop; else rate_run loop; rate_run quillet; fi
    for stations in "${segments[@]}"; do
        if ((r % 2 == 0)); then segment_run quillet "$stations"; segment_run loop "$stations"
        else segment_run loop "$stations"; segment_run quillet "$stations"; fi
    done
    echo "  round $((r + 1)) of $rounds done ($(($(date +%s) - started_at)) s)"
done

median() { # measure program
    [[ -s $work/$1.$2 ]] || { echo "-"; return; }
    sort -g "$work/$1.$2" | awk '{ v[NR] = $1 } END { if (NR % 2) m = v[(NR + 1) / 2]; else m = (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b + 0 == 0) print "-"; else printf "%.2f", a / b }'; }
row() { # label measure target
    local q f p
    q=$(median "$2" quillet); f=$(median "$2" floor); p=$(median "$2" plain)
    printf "%-34s %9s %9s %9s %9s %9s   %s\n" "$1" "$q" "$f" "$p" "$(ratio "$q" "$f")" "$(ratio "$q" "$p")" "$3"
}

bridge_table() {
    local b l
    b=$(median bridgerate bridge); l=$(median rate loop)
    printf "%-34s %9s %9s %9s   %s\n" "two bridges and a broker" bridges "bare loop" ratio target
    printf "%-34s %9s %9s %9s   %s\n" "  highest rate, none lost, /s" "$b" "$l" "$(ratio "$b" "$l")" ">= 0.05"
    printf "%-34s %9s\n" "  added delay at $bridge_delay_rate/s, median ms" "$(median bridgemedian bridge)"
    printf "%-34s %9s\n" "  added delay at $bridge_delay_rate/s, p99 ms" "$(median bridgep99 bridge)"
    echo "bridge rates tried: ${bridge_rates[*]} per second, $step s each"
}
if [[ -n $bridge_only ]]; then
    echo
    echo "Medians of $rounds rounds (one run, this machine)"
    bridge_table
    exit 0
fi
echo
echo "Medians of $rounds rounds (offscreen platform, one run, this machine)"
printf "%-34s %9s %9s %9s %9s %9s   %s\n" measure quillet floor plain "q/floor" "q/plain" target
row "exec -> first broadcast heard, ms" startup "q/floor <= 1.3"
row "resident (VmRSS) after ${settle} s, MB" rss "q/floor <= 1.15"
row "private (RssAnon) after ${settle} s, MB" anon "q/floor <= 2"
row "idle CPU over $idle s, ms" idlecpu "at or below today's"
if [[ -n $iptux ]]; then
    printf "%-34s %9s MB resident, %s MB private (quillet's must be lower)\n" "iptux after ${settle} s" \
        "$(median rss iptux)" "$(median anon iptux)"
fi
echo
q=$(median rate quillet); l=$(median rate loop)
printf "%-34s %9s %9s %9s   %s\n" "" quillet "bare loop" ratio target
printf "%-34s %9s %9s %9s   %s\n" "highest chat rate, no drop, /s" "$q" "$l" "$(ratio "$q" "$l")" ">= 0.5"
printf "%-34s %9s %9s\n" "read when flooded, /s" "$(median satrate quillet)" "$(median satrate loop)"
q2=$(median cpu2000 quillet); qs=$(median cpusat quillet)
printf "%-34s %9s %9s\n" "CPU per datagram at 2,000/s, us" "$q2" "$(median cpu2000 loop)"
printf "%-34s %9s %9s\n" "CPU per datagram when flooded, us" "$qs" "$(median cpusat loop)"
printf "%-34s %9s %9s %9s   %s\n" "  at 2,000/s / when flooded" "$(ratio "$q2" "$qs")" "" "" "<= 3"
echo
printf "%-34s %9s %9s %9s   %s\n" "segment of idle stations" quillet "bare loop" ratio target
for stations in "${segments[@]}"; do
    q=$(median "seg$stations" quillet); l=$(median "seg$stations" loop)
    printf "%-34s %9s %9s %9s   %s\n" "  $stations: CPU per datagram, us" "$q" "$l" "$(ratio "$q" "$l")" "<= 3"
    printf "%-34s %9s %9s %9s   %s\n" "  $stations: CPU, % of one core" "$(median "segcore$stations" quillet)" \
        "$(median "segcore$stations" loop)" "" "<= 10"
done
echo
bridge_table
for who in quillet loop; do
    [[ -s $work/limited.$who ]] &&
        echo "note: in $(wc -l < "$work/limited.$who") round(s) the sender could go no faster than $who read;" \
             "its rate is at least the figure shown"
done
echo "rates tried: ${rates[*]} per second, $step s each; total time $(($(date +%s) - started_at)) s"
