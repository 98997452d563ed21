#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb, one screen of 1280x1024x24):
#     bash scripts/with-x-server.sh ./build/unit_tests --gtest_filter=...
# Every test runs this way, so tests running side by side never meet each
# other's windows, keyboard focus or held keys. The server picks a free display
# number itself and goes when the command ends; the command's exit status is
# passed on.
set -uo pipefail
folder=$(mktemp -d "${TMPDIR:-/tmp}/quorvallis-x-XXXXXX")
server=
# A server asked to end right after it started may miss the request, so it is
# asked again until it has gone; one that does not go within five seconds is killed.
finish() {
    if [ -n "$server" ]; then
        for _ in $(seq 50); do
            kill -TERM "$server" 2>/dev/null || break
            [ "$(cut -d' ' -f3 "/proc/$server/stat" 2>/dev/null)" = Z ] && break
            sleep 0.1
        done
        kill -KILL "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$folder"
}
trap finish EXIT
trap 'exit 143' TERM INT
mkfifo "$folder/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$folder/display" 2>"$folder/server.txt" &
server=$!
read -r number < "$folder/display" || { cat "$folder/server.txt" >&2; echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" "$@"
