#!/usr/bin/env bash
# wayland_session_test.sh DEMO_FOLDER
#
# The program on Wayland. Under weston's headless backend: its app id is the desktop entry's
# id, so docks tie it to its entry; the compositor maps the main window and the DPI popup; the
# dump says there is no tray and that the compositor places the windows. Under weston in an X
# server with a German keyboard (the headless backend has no keyboard): keys are named from the
# keymap the compositor sends, not from XKB_DEFAULT_*.
set -euo pipefail
demo=$1
command -v weston >/dev/null || { echo "wayland_session: weston is not installed"; exit 77; }
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/../../shared/own_x_server.sh"
fail() { echo "wayland_session: $*"; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp -r "$demo/." "$work/program"
rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"
# Stored on a US layout: Ctrl and the key of the Y position.
(cd "$work/program" && XKB_DEFAULT_LAYOUT=us ./nimba-mousectl button 4 key Ctrl+Y >/dev/null)

start_weston() {  # start_weston BACKEND: a compositor on $WAYLAND_DISPLAY
    weston --backend="$1" --use-pixman --socket=wayland-nimba --idle-time=0 --no-config \
        >"$work/weston.log" 2>&1 &
    weston=$!
    for _ in $(seq 100); do [[ -S $XDG_RUNTIME_DIR/wayland-nimba ]] && return; sleep 0.1; done
    cat "$work/weston.log"
    fail "weston ($1) did not start"
}
run_on_wayland() {  # run_on_wayland SCRIPT: the scenario as a Wayland client, its protocol logged
    # In real time: the compositor's answers come at its pace, not the script's.
    if ! env -u DISPLAY WAYLAND_DISPLAY=wayland-nimba QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
        XKB_DEFAULT_LAYOUT=us "$work/program/nimba-scenario" --real-time --display "$1" \
        >"$work/scenario.log" 2>"$work/protocol.log"; then
        grep -v '^\[' "$work/protocol.log"
        fail "$(basename "$1") failed"
    fi
}

start_weston headless-backend.so
cat >"$work/wayland.scn" <<SCN
start
wait 300
expect-window "NIMBA R380X mouse" open
sim press dpi
wait 200
expect-window DPIWnd open
dump $work/dump.json
wait 300
SCN
run_on_wayland "$work/wayland.scn"
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("com.nimba.r380x")' "$work/protocol.log" ||
    fail "the app id is not com.nimba.r380x: $(grep -o 'set_app_id([^)]*)' "$work/protocol.log")"
configured=$(grep -c 'xdg_toplevel@[0-9]*\.configure(' "$work/protocol.log" || true)
((configured >= 2)) || fail "the compositor configured $configured windows, not the main window and the popup"
tr -d ' \n' <"$work/dump.json" | grep -q '"tray":{"shown":false' || fail "the dump shows a tray"
placed=$(tr -d ' \n' <"$work/dump.json" | grep -o '"placed_by":"compositor"' | wc -l)
((placed == 2)) || fail "$placed windows are said to be placed by the compositor, not 2"
kill "$weston"
wait "$weston" || true
rm -f "$XDG_RUNTIME_DIR"/wayland-nimba*

start_x_server "$work"
setxkbmap de
start_weston x11-backend.so
printf 'start\nwait 300\nexpect ms_1_btn_key_4 text "Ctrl+Z"\n' >"$work/keymap.scn"
run_on_wayland "$work/keymap.scn"
echo "wayland_session: app id com.nimba.r380x, $configured windows mapped"
