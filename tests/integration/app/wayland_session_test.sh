#!/usr/bin/env bash
# wayland_session_test.sh DEMO: on weston's headless backend, the app id is the desktop entry's,
# both windows are mapped, the dump shows no tray and the compositor's placing. On weston in an
# X server set to German (headless has no keyboard), keys follow the compositor's keymap.
set -euo pipefail
command -v weston >/dev/null || exit 77
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/../../shared/own_x_server.sh"
fail() { echo "wayland_session: $*"; exit 1; }
export XDG_RUNTIME_DIR=$work/runtime
[[ -n ${ASAN_OPTIONS:-} ]] && export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
mkdir -m 700 "$XDG_RUNTIME_DIR" && cp -r "$1" "$work/program" && rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"
# Stored on a US layout: Ctrl and the key of the Y position.
(cd "$work/program" && XKB_DEFAULT_LAYOUT=us ./nimba-mousectl button 4 key Ctrl+Y >/dev/null)

on_weston() {  # on_weston BACKEND SCRIPT-LINES...: the lines as a Wayland client, protocol logged
    rm -f "$XDG_RUNTIME_DIR"/wayland-nimba*
    weston --backend="$1" --use-pixman --socket=wayland-nimba --idle-time=0 --no-config \
        >"$work/weston.log" 2>&1 &
    local weston=$!
    for _ in $(seq 100); do [[ -S $XDG_RUNTIME_DIR/wayland-nimba ]] && break; sleep 0.1; done
    shift && printf '%s\n' start "$@" >"$work/lines.scn"
    # In real time: the compositor's answers come at its pace, not the script's.
    env -u DISPLAY WAYLAND_DISPLAY=wayland-nimba QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
        XKB_DEFAULT_LAYOUT=us "$work/program/nimba-scenario" --real-time --display \
        "$work/lines.scn" >/dev/null 2>"$work/protocol.log" ||
        fail "$(grep -v '^\[' "$work/protocol.log")"
    kill "$weston" && wait "$weston" || true
}

on_weston headless-backend.so "wait 300" 'expect-window "NIMBA R380X mouse" open' \
    "sim press dpi" "wait 200" "expect-window DPIWnd open" "dump $work/dump.json" "wait 300"
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("com.nimba.r380x")' "$work/protocol.log" ||
    fail "app id $(grep -o 'set_app_id([^)]*)' "$work/protocol.log")"
(($(grep -c 'xdg_toplevel@[0-9]*\.configure(' "$work/protocol.log") >= 2)) ||
    fail "the compositor did not configure the main window and the popup"
dump=$(tr -d ' \n' <"$work/dump.json")
[[ $dump == *'"tray":{"shown":false'* ]] || fail "the dump shows a tray"
(($(grep -o '"placed_by":"compositor"' <<<"$dump" | wc -l) == 2)) || fail "placed_by missing"

start_x_server "$work"
setxkbmap de
on_weston x11-backend.so "wait 300" 'expect ms_1_btn_key_4 text "Ctrl+Z"'
