#!/usr/bin/env bash
# Runs the real-display suite of a build on a private Xvfb server, once with openbox as
# the window manager and once without any, each at a device-pixel ratio of 1 and of 2.
# Usage: tests/display/run.sh <build-dir>. Any failing run fails the script.
set -euo pipefail

build_dir=$1
program=$build_dir/tests/display/tst_realdisplay
[ -x "$program" ] || { echo "run.sh: $program is not built" >&2; exit 1; }

server_pid=
manager_pid=
stop_server() {
    [ -n "$manager_pid" ] && kill "$manager_pid" 2>/dev/null && wait "$manager_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    server_pid=
    manager_pid=
    return 0
}
trap stop_server EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients.
start_server() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    server_pid=$!
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(head -n1 "$number_file")
    rm -f "$number_file"
}

# openbox is ready when it names its check window on the root window.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    manager_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "run.sh: openbox did not start" >&2
    return 1
}

failed=0
for manager in openbox none; do
    for ratio in 1 2; do
        echo "== Real display: window manager $manager, device-pixel ratio $ratio"
        start_server
        expect_manager=0
        if [ "$manager" = openbox ]; then
            start_window_manager
            expect_manager=1
        fi
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$ratio QT_FONT_DPI=96 \
            COMMONCTRLS_EXPECT_WINDOW_MANAGER=$expect_manager \
            "$program" || failed=1
        stop_server
    done
done
exit $failed
