# Sourced by the real-UDP end-to-end scripts. Every host is a network
# namespace made here, on private bridges in a namespace of their own, so
# nothing ever leaves this machine; all of it goes when the script exits.
#   e2e_begin STEM WHAT    skip (status 77) without root or namespaces; sets
#                          prefix, work (a scratch folder), pids, namespaces
#   new_namespace NAME     one more namespace, its loopback up
#   bridges N              "$prefix-br" holding bridges br0 .. br(N-1)
#   card HOST CARD BRIDGE PORT ADDRESS/LEN   a veth from host I to a bridge
#   lan_host I ADDRESS/LEN host I on br0 by eth0, its default route there
SKIP=77

e2e_begin() { # stem what
    if [[ $(id -u) != 0 ]]; then
        echo "SKIPPED: $2 needs root to create network namespaces"
        exit $SKIP
    fi
    if ! command -v ip >/dev/null || ! ip netns add "$1-probe-$$" 2>/dev/null; then
        echo "SKIPPED: network namespaces are not available here (iproute2 missing or not permitted)"
        exit $SKIP
    fi
    ip netns del "$1-probe-$$"
    prefix=$1$$
    work=$(mktemp -d)
    pids=()
    namespaces=()
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    for ns in "${namespaces[@]}"; do ip netns del "$ns" 2>/dev/null; done
    rm -rf "$work"
}

new_namespace() { # name
    namespaces+=("$1")
    ip netns add "$1"
    ip -n "$1" link set lo up
}

bridges() { # count
    new_namespace "$prefix-br"
    for ((b = 0; b < $1; ++b)); do
        ip -n "$prefix-br" link add br$b type bridge
        ip -n "$prefix-br" link set br$b up
    done
}

card() { # host card bridge port address
    ip link add "$2" netns "$prefix-h$1" type veth peer name "$4" netns "$prefix-br"
    ip -n "$prefix-br" link set "$4" master "$3"
    ip -n "$prefix-br" link set "$4" up
    ip -n "$prefix-h$1" addr add "$5" brd + dev "$2"
    ip -n "$prefix-h$1" link set "$2" up
}

lan_host() { # host address
    new_namespace "$prefix-h$1"
    card "$1" eth0 br0 p$1 "$2"
    ip -n "$prefix-h$1" route add default dev eth0
}

# Checks: each failure is said and counted in $failures; a wait gives up at
# $deadline (seconds of the script's clock), which the script sets.
fail() { # what
    echo "FAILED: $1"
    failures=$((failures + 1))
}
wait_for() { # file pattern [tenths of a second]
    for _ in $(seq 1 "${3:-100}"); do
        ((SECONDS < deadline)) || break
        grep -q -- "$2" "$1" && return 0
        sleep 0.1
    done
    return 1
}
# The bytes of a text as the wire carries it, in hex.
hex() { printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n'; }
