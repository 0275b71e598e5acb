#!/usr/bin/env bash
# Runs a test program on an X server of its own: Xvfb without a window
# manager, reachable only through its local socket. For what only a real X
# server tells: which window holds the keyboard, what a window asks of a
# window manager.
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed (scripts/deps.sh installs it)"; exit 77; }
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT
# The server picks a free display and writes its number once it listens.
Xvfb -displayfd 5 -nolisten tcp -screen 0 1280x1024x24 5>"$work/display" 2>"$work/log" &
server=$!
for _ in $(seq 1 100); do
    [[ -s $work/display ]] && break
    kill -0 "$server" 2>/dev/null || { cat "$work/log"; echo "FAILED: Xvfb did not start"; exit 1; }
    sleep 0.1
done
[[ -s $work/display ]] || { echo "FAILED: Xvfb gave no display"; exit 1; }
DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb "$@"
