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
# Whether the server runs (a server that has ended stays a zombie until waited for).
running() {
    local state
    state=$(cut -d' ' -f3 "/proc/$server/stat" 2>/dev/null) && [ "$state" != Z ]
}
# A server asked to end right after it started may miss the request, so it is
# asked again until it has gone; one that does not go within five seconds is killed.
finish() {
    if [ -n "$server" ]; then
        for _ in $(seq 50); do
            kill -TERM "$server" 2>/dev/null || break
            running || break
            sleep 0.1
        done
        kill -KILL "$server" 2>/dev/null
        wait "$server" 2>/dev/null
        server=
    fi
}
trap 'finish; rm -rf "$folder"' EXIT
trap 'exit 143' TERM INT

# Starts a server; its display number goes into `number`, empty when it did
# not start. The server gets none of our standard streams: one that outlived
# this script would keep the test runner waiting for the end of our output.
start_server() {
    number=
    rm -f "$folder/display"
    mkfifo "$folder/display"
    # Opened for reading and writing, the pipe opens at once whether or not the
    # server ever opens its end.
    exec 4<>"$folder/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$folder/display" </dev/null >"$folder/server.txt" 2>&1 &
    server=$!
    # The server writes its display number once it accepts clients; a loaded
    # machine may take a while.
    for _ in $(seq 120); do
        read -r -t 1 -u 4 number && break
        number=
        running || break
    done
    exec 4<&-
}

# A server may fail to start when others start at the same moment: two more tries.
for attempt in 1 2 3; do
    start_server
    [ -n "$number" ] && break
    finish
    echo "Xvfb did not start (try $attempt of 3):" >&2
    cat "$folder/server.txt" >&2
done
[ -n "$number" ] || exit 1
DISPLAY=":$number" "$@"
