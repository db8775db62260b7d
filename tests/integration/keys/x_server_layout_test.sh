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
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$1/." "$work/program" && rm -rf "$work/program/Data"
# Outside X the key is taken on a US layout: the key of the Y position, code 28.
(cd "$work/program" && XKB_DEFAULT_LAYOUT=us ./nimba-mousectl button 4 key Ctrl+Y >/dev/null)

start_x_server "$work"
export QT_QPA_PLATFORM=xcb XKB_DEFAULT_LAYOUT=us
setxkbmap de
printf 'start\nwait 200\nexpect ms_1_btn_key_4 text "Ctrl+Z"\n' >"$work/label.scn"
"$work/program/nimba-scenario" --display "$work/label.scn" >"$work/scenario.log" 2>&1 ||
    { echo "x_server_layout: the label does not follow the server's layout"; cat "$work/scenario.log"; exit 1; }

# The shortcut dialog catches the key a US keyboard prints Q on as A on a French layout. After
# the user switches the server to US while the program runs, the key kept is named Q, as is the
# key caught then. xdotool presses the key a keysym sits on in the server's layout now.
setxkbmap fr
step() { printf 'dump %s/%s.json\nwait 2000\n' "$work" "$1"; }
printf '%s\n' start "wait 300" "click ms_1_btn_key_5" "menu ms_1_shortcut" "wait 100" \
    "click edit_key" "$(step fr)" "expect edit_key text A" "click btn_ok" "$(step switch)" \
    "click ms_1_btn_key_5" "menu ms_1_shortcut" "wait 100" "expect edit_key text Q" \
    "click edit_key" "$(step us)" "expect edit_key text Q" >"$work/capture.scn"
"$work/program/nimba-scenario" --real-time --display "$work/capture.scn" >"$work/capture.log" 2>&1 &
await() { for _ in $(seq 100); do [[ -s $work/$1.json ]] && return; sleep 0.1; done; }
await fr && xdotool key a
await switch && setxkbmap us
await us && xdotool key q
wait $! || { echo "x_server_layout: the shortcut dialog does not follow the layout"; cat "$work/capture.log"; exit 1; }
