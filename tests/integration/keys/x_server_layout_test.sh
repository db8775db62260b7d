#!/usr/bin/env bash
# x_server_layout_test.sh DEMO_FOLDER
#
# On an X server whose keyboard is German, a button holding Ctrl and the key a US keyboard
# prints Y on shows "Ctrl+Z", as the German keyboard prints there; the XKB_DEFAULT_* variables,
# which say US, give way to the server.
set -euo pipefail
source "$(dirname "$0")/../../shared/own_x_server.sh"
command -v setxkbmap >/dev/null || { echo "x_server_layout: setxkbmap is not installed"; exit 77; }

work=$(mktemp -d)
xvfb_pid=""
trap '[[ -n $xvfb_pid ]] && kill "$xvfb_pid"; rm -rf "$work"' EXIT

cp -r "$1/." "$work/program"
rm -rf "$work/program/Data"
# Outside X the key is taken on a US layout: the key of the Y position, code 28.
(cd "$work/program" && XKB_DEFAULT_LAYOUT=us ./nimba-mousectl button 4 key Ctrl+Y >/dev/null)

start_x_server "$work"
export QT_QPA_PLATFORM=xcb XKB_DEFAULT_LAYOUT=us
setxkbmap de
printf 'start\nwait 200\nexpect ms_1_btn_key_4 text "Ctrl+Z"\n' >"$work/label.scn"
if ! "$work/program/nimba-scenario" --display "$work/label.scn" >"$work/scenario.log" 2>&1; then
    echo "x_server_layout: the label does not follow the server's layout"
    cat "$work/scenario.log"
    exit 1
fi

# The shortcut dialog catches the key a US keyboard prints Q on: a French keyboard prints A
# there. Once the user switches the server to US while the program runs, the key kept is named
# Q, as that keyboard prints it, and is caught as Q.
setxkbmap fr
cat >"$work/capture.scn" <<SCN
start
wait 300
click ms_1_btn_key_5
menu ms_1_shortcut
wait 100
click edit_key
dump $work/french.json
wait 2000
expect edit_key text A
click btn_ok
expect ms_1_btn_key_5 text A
dump $work/switch.json
wait 2000
click ms_1_btn_key_5
menu ms_1_shortcut
wait 100
expect edit_key text Q
click edit_key
dump $work/us.json
wait 2000
expect edit_key text Q
click btn_cancel
SCN
NIMBA_DEBUG=1 "$work/program/nimba-scenario" --real-time --display "$work/capture.scn" \
    >"$work/capture.log" 2>&1 &
scenario=$!
await() {  # await DUMP: until the scenario has written DUMP
    for _ in $(seq 100); do [[ -s $1 ]] && return; sleep 0.1; done
}
await "$work/french.json"
xdotool key a  # on the French layout, the key of the Q position
await "$work/switch.json"
setxkbmap us
await "$work/us.json"
xdotool key q
if ! wait "$scenario"; then
    echo "x_server_layout: the shortcut dialog does not follow the server's layout"
    cat "$work/capture.log"
    exit 1
fi
