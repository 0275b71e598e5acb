#!/usr/bin/env bash
# Quillet against its floor, side by side in one run, on private LANs of
# network namespaces made here (a bridge and one veth per host), so nothing
# leaves this machine. Needs root.
#
#   compare.sh [-r ROUNDS] [-i IDLE_SECONDS] [-s STEP_SECONDS] [-g SEGMENT_SECONDS] [-l UDPLISTEN] [-v] QUILLET [BENCH_DIR]
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
#     SEGMENT_SECONDS once every station has been heard for a period.
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
    echo "usage: compare.sh [-r ROUNDS] [-i IDLE_SECONDS] [-s STEP_SECONDS] [-g SEGMENT_SECONDS] [-l UDPLISTEN] [-v] QUILLET [BENCH_DIR]" >&2
    echo "  -v prints every measurement as it is taken" >&2
    exit 64
}
while getopts "r:i:s:g:l:vh" option; do
    case $option in
        r) rounds=$OPTARG ;;
        i) idle=$OPTARG ;;
        s) step=$OPTARG ;;
        g) segtime=$OPTARG ;;
        l) listen=$OPTARG ;;
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
    for lane in "${lanes[@]}"; do
        for h in 1 2 3; do ip netns del "$prefix-$lane-h$h" 2>/dev/null; done
        ip netns del "$prefix-$lane-br" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Stops by itself: a bound on the whole run, well above what it should take.
limit=$((rounds * (settle + idle + 60 + 3 * step * ${#rates[@]} + 2 * ${#segments[@]} * (segsettle + segtime + 5)) + 120))
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

echo "compare.sh: $rounds rounds, idle $idle s, flood steps of $step s, segments of ${segments[*]} for $segtime s; quillet: $quillet"
started_at=$(date +%s)
for ((r = 0; r < rounds; r++)); do
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
for who in quillet loop; do
    [[ -s $work/limited.$who ]] &&
        echo "note: in $(wc -l < "$work/limited.$who") round(s) the sender could go no faster than $who read;" \
             "its rate is at least the figure shown"
done
echo "rates tried: ${rates[*]} per second, $step s each; total time $(($(date +%s) - started_at)) s"
