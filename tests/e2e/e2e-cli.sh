#!/usr/bin/env bash
# The command line and the commands for scripts, as real processes over real
# UDP on a simulated LAN (10.87.0.0/24) of network namespaces made here, so
# nothing ever leaves this machine.
#   host 1: window station "alice" (offscreen), and beside her on the same
#           computer "quillet listen --json", which hears what her socket hears
#   host 2: the commands, run as user "carol" with no display and no Qt
#           platform set
#   host 3: udplisten, which records every datagram on the segment with its bytes
#   host 4: "quillet listen"
#   host 5: a foreign program that broadcasts bytes which are no message
# Checks that --help, --version, an unknown option and bad input send nothing
# and end with the right status; that say and message put exactly one datagram
# each on the wire and announce nothing; that who lists alice with her
# availability; that listen shows every datagram, undecodable ones included,
# and --json gives one JSON object per line.
set -uo pipefail
quillet=${1:?usage: e2e-cli.sh QUILLET UDPLISTEN}
sniff=${2:?usage: e2e-cli.sh QUILLET UDPLISTEN}
. "$(dirname "$0")/e2e-lib.sh"
e2e_begin qcli "the command-line end-to-end test"
if ! command -v python3 >/dev/null; then
    echo "SKIPPED: python3 is needed to check the JSON output"
    exit $SKIP
fi

net=10.87.0
bridges 1
for i in 1 2 3 4 5; do lan_host $i $net.$i/24; done

# A terminal's environment without a display: no DISPLAY, no QT_QPA_PLATFORM.
as_carol() { # host command...: runs quillet there; status as quillet's
    local host=$1
    shift
    ip netns exec "$prefix-h$host" env -i PATH="$PATH" HOME="$work" USERNAME=carol XDG_RUNTIME_DIR="$work" \
        timeout 30 "$quillet" "$@"
}

ip netns exec "$prefix-h3" "$sniff" 100 > "$work/heard" &
pids+=($!)
sleep 1

hex() { printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n'; }
from() { # address: the payloads heard from it, in hex, in order
    awk -F '\t' -v from="$1" '$2 == from { print $3 }' "$work/heard"
}
deadline=$((SECONDS + 90))
wait_until() { # command...: true once it succeeds, within 12 s
    for _ in $(seq 1 120); do
        ((SECONDS < deadline)) || break
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
heard() { # address payload
    from "$1" | grep -qx "$(hex "$2")"
}
heard_like() { # address payload-prefix payload-suffix
    from "$1" | grep -q "^$(hex "$2").*$(hex "$3")\$"
}

failures=0
fail() { # what
    echo "FAILED: $1"
    failures=$((failures + 1))
}
ok() { echo "ok: $1"; }
expect_status() { # what expected status
    if [[ $3 == "$2" ]]; then ok "$1 (status $3)"; else fail "$1: status $3, expected $2"; fi
}

# --- The command line alone: nothing sent, the right status, no display needed.
as_carol 2 --help > "$work/help.out" 2> "$work/help.err"
expect_status "--help" 0 $?
grep -q "^Usage: quillet" "$work/help.out" && grep -q "quillet listen \[--json\]" "$work/help.out" \
    || fail "--help does not print the usage"
as_carol 2 --version > "$work/version.out" 2>&1
expect_status "--version" 0 $?
grep -qx "quillet [0-9.]*" "$work/version.out" || fail "--version printed: $(cat "$work/version.out")"
as_carol 2 --bogus > "$work/bogus.out" 2> "$work/bogus.err"
expect_status "an unknown option" 2 $?
if grep -q "bogus" "$work/bogus.err" && grep -q "^Usage: quillet" "$work/bogus.err" && [[ ! -s "$work/bogus.out" ]]; then
    ok "an unknown option gives a short error and the usage on the standard error"
else
    fail "an unknown option's output: $(cat "$work/bogus.out" "$work/bogus.err")"
fi
as_carol 2 sya hello > /dev/null 2>&1
expect_status "a mistyped command" 2 $?

# --- Bad input: status 2, a clear error, nothing sent.
bad() { # what expected-in-error arguments...
    local what=$1 said=$2
    shift 2
    as_carol 2 "$@" > "$work/bad.out" 2> "$work/bad.err"
    local status=$?
    if [[ $status == 2 ]] && grep -qF -- "$said" "$work/bad.err"; then
        ok "$what refused (status 2)"
    else
        fail "$what: status $status, said: $(head -1 "$work/bad.err")"
    fi
}
long=$(printf 'x%.0s' $(seq 1 401))
bad "say with the separator" "§" say "a§b"
bad "say with 401 characters" "401" say "$long"
bad "say to an unknown room" "kitchen" say --room kitchen hello
bad "say without TEXT" "TEXT is missing" say
bad "message with the separator" "§" message alice "a§b"
bad "message with 401 characters" "401" message alice "$long"
bad "message without TEXT" "TEXT is missing" message alice

# --- The window station, and listeners beside it and on another host.
ip netns exec "$prefix-h1" env -i PATH="$PATH" HOME="$work" USERNAME=alice QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$work" "$quillet" > "$work/alice.log" 2>&1 &
pids+=($!)
pid_alice=$!
ip netns exec "$prefix-h1" env -i PATH="$PATH" HOME="$work" "$quillet" listen --json \
    > "$work/listen.json" 2> "$work/listen-json.err" &
pids+=($!)
pid_json=$!
ip netns exec "$prefix-h4" env -i PATH="$PATH" HOME="$work" "$quillet" listen \
    > "$work/listen.txt" 2> "$work/listen-txt.err" &
pids+=($!)
pid_text=$!
wait_until heard $net.1 "3§alice§" && ok "alice announces herself" || fail "alice's presence not heard"
# Both listeners hear alice's next presence, so both are listening before
# anything else happens.
wait_until grep -q '"fields":\["alice",""\]' "$work/listen.json" \
    || fail "listen --json beside alice did not hear her presence"
wait_until grep -qP '\t10\.87\.0\.1\tPresence\talice\t$' "$work/listen.txt" \
    || fail "listen on another host did not hear alice's presence"

# --- who: alice, available; nobody else (the commands announce nothing).
as_carol 2 who --wait 6 > "$work/who.out" 2> "$work/who.err"
expect_status "who" 0 $?
if [[ $(cat "$work/who.out") == $'alice\tAvailable' ]]; then
    ok "who lists alice as available, and nobody else"
else
    fail "who printed: $(cat -A "$work/who.out")"
fi

# --- say and message: one datagram each, exactly as the window sends them.
as_carol 2 say build finished
expect_status "say" 0 $?
as_carol 2 say --room tea "cake is ready"
expect_status "say --room tea" 0 $?
as_carol 2 message alice "hello from a script"
expect_status "message" 0 $?
wait_until heard_like $net.2 "1§[carol," "]> build finished" && ok "say's line on the wire" \
    || fail "say's line not heard"
wait_until heard_like $net.2 "2§[carol," "]> cake is ready" && ok "say --room tea's line on the wire" \
    || fail "say --room tea's line not heard"
wait_until heard $net.2 "6§alice§carol§hello from a script" && ok "message on the wire" \
    || fail "message not heard"

# --- A foreign program's bytes: shown as such, and nobody falls over.
# Broadcast, so every socket on the port hears it (a unicast datagram reaches
# only one of the sockets sharing a port).
ip netns exec "$prefix-h5" python3 -c 'import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.sendto(b"\xff\x81junk", ("'$net.255'", 31313))'
wait_until grep -qP '\t10\.87\.0\.5\tUndecodable\tff816a756e6b$' "$work/listen.txt" \
    && ok "listen shows an undecodable datagram in hex" || fail "listen did not show the undecodable datagram"
wait_until grep -q '"hex":"ff816a756e6b"' "$work/listen.json" \
    && ok "listen --json shows an undecodable datagram in hex" \
    || fail "listen --json did not show the undecodable datagram"

# Everything host 2 ever sent: the three datagrams above, in order, and
# nothing before them (help, version, bad input, who) or beside them (no
# presence, no departure).
sleep 0.5
mapfile -t sent < <(from $net.2)
if ((${#sent[@]} == 3)) && [[ ${sent[0]} == "$(hex "1§[carol,")"* && ${sent[1]} == "$(hex "2§[carol,")"* \
    && ${sent[2]} == "$(hex "6§alice§carol§hello from a script")" ]]; then
    ok "host 2 sent only the two lines and the message"
else
    fail "host 2 sent ${#sent[@]} datagram(s): ${sent[*]}"
fi

# --- listen to its end: SIGINT and SIGTERM end it with status 0.
kill -INT "$pid_json"
wait "$pid_json"
expect_status "listen --json after SIGINT" 0 $?
kill -TERM "$pid_text"
wait "$pid_text"
expect_status "listen after SIGTERM" 0 $?
if python3 -c 'import json,sys; [json.loads(l) for l in sys.stdin]' < "$work/listen.json"; then
    ok "every line of listen --json is JSON"
else
    fail "listen --json printed a line that is not JSON"
fi
if python3 - "$work/listen.json" <<'PY'
import json, sys
objects = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
def has(**want):
    return any(all(o.get(k) == v for k, v in want.items()) for o in objects)
assert has(sender="10.87.0.1", code=3, name="Presence", fields=["alice", ""])
assert has(sender="10.87.0.1", code=10, name="Availability", fields=["alice", "0", ""])
assert any(o.get("name") == "WorkLine" and o["fields"][0].startswith("[carol,")
           and o["fields"][0].endswith("]> build finished") for o in objects)
assert has(sender="10.87.0.2", name="PrivateMessage", fields=["alice", "carol", "hello from a script"])
PY
then
    ok "listen --json holds alice's presence and availability, the line and the message"
else
    fail "listen --json lacks alice's presence, the line said or the message"
fi
grep -qP '\t10\.87\.0\.2\tWorkLine\t\[carol,[^]]*\]> build finished$' "$work/listen.txt" \
    && ok "listen shows the line said, decoded" || fail "listen does not show the line said"

# The window station heard all of that beside a listener and still runs.
if kill -0 "$pid_alice" 2>/dev/null; then
    ok "alice still runs"
else
    fail "alice ended"
fi
if heard $net.1 "7§alice"; then
    fail "alice left though nobody asked her to"
fi

if ((failures > 0)); then
    echo "--- heard:"; cat "$work/heard"
    for f in "$work"/*.log "$work"/*.err "$work"/listen.*; do echo "--- $f"; cat "$f"; done
    echo "e2e-cli: $failures check(s) failed"
    exit 1
fi
echo "e2e-cli: all checks passed"
