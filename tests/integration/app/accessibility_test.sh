#!/usr/bin/env bash
# accessibility_test.sh DEMO_FOLDER: accessibility_walk.py walks the program over the accessibility bus.
set -uo pipefail
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/../../shared/own_x_server.sh"
start_x_server "$work"
cp -r "$1" "$work/demo" && rm -rf "$work/demo/Data"
export XDG_RUNTIME_DIR=$work/runtime NIMBA_SIM_SOCKET=$work/sim.sock NIMBA_SIM_LOG=$work/sim.log
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb WORK=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
    "$WORK/demo/nimba-mouse" 2>"$WORK/program.log" &
    /usr/bin/python3 "$0"' "$(dirname "$0")/accessibility_walk.py"
