#!/usr/bin/env bash
# tray_hosts_test.sh DEMO: no tray (exit_btn leaves the window shown and its tooltip says it
# minimises, --quit ends the program, stores kept); xfce4-panel (an unchanged tooltip is not sent again, "exit" in the exported
# menu ends the program, the window put away comes back when the panel goes).
set -euo pipefail
if [[ -z ${TRAY_TEST_WORK:-} ]]; then
    command -v xfce4-panel >/dev/null && command -v xdotool >/dev/null || exit 77
    export TRAY_TEST_WORK=$(mktemp -d) XDG_CONFIG_HOME=$(mktemp -d)  # read by the panel's bus services
    rc=0 && dbus-run-session -- "$0" "$@" || rc=$?
    rm -rf "$TRAY_TEST_WORK" "$XDG_CONFIG_HOME" && exit $rc
fi
work=$TRAY_TEST_WORK
source "$(dirname "$0")/../../shared/own_x_server.sh"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null' EXIT
fail() { echo "tray_hosts: $*"; exit 1; }
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
[[ -n ${ASAN_OPTIONS:-} ]] && export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
mkdir -m 700 "$XDG_RUNTIME_DIR" && cp -r "$1" "$work/program" && rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"
start_x_server "$work"

start_program() {
    "$work/program/nimba-mouse" >"$work/$1.log" 2>&1 &
    program=$!
    for _ in $(seq 100); do window=$(xdotool search --onlyvisible --name "^NIMBA R380X$" | head -n1) && break; sleep 0.1; done
    [[ -n $window ]] || fail "no window ($1)"
}
ended_within() {  # gone, or a zombie bash has not reaped yet
    for _ in $(seq $(($1 * 10))); do [[ $(ps -o stat= -p "$program") != [^Z]* ]] && return; sleep 0.1; done; false
}
click_exit_btn() {  # 32 px square, 8 px from the title bar's right end
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH - 24)) $((Y + 22)) click 1
}
viewable() { xwininfo -id "$window" | grep -q IsViewable; }
eventually() { for _ in $(seq 50); do "$@" && return; sleep 0.1; done; false; }
quit_program() {
    "$work/program/nimba-mouse" --quit && ended_within 5 || fail "--quit did not end the program"
    wait "$program" || fail "the program ended with $?"
}

start_program no_tray
click_exit_btn && sleep 1
viewable || fail "without a tray, exit_btn hid the window"
quit_program
[[ -s $work/program/Data/ms_1/pro.data ]] || fail "the profiles were not kept"
printf 'start\nwait 1000\nexpect exit_btn tooltip Minimize\n' |
    "$work/program/nimba-scenario" --display - || fail "without a tray, exit_btn promised one"

# The panel: its notification area alone, along the top.
channel=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
mkdir -p "$channel" && cat >"$channel/xfce4-panel.xml" <<'XML'
<channel name="xfce4-panel" version="1.0"><property name="configver" type="int" value="2"/>
<property name="panels" type="array"><value type="int" value="1"/><property name="panel-1" type="empty">
<property name="position" type="string" value="p=6;x=0;y=0"/><property name="size" type="uint" value="32"/>
<property name="plugin-ids" type="array"><value type="int" value="1"/></property></property></property>
<property name="plugins" type="empty"><property name="plugin-1" type="string" value="systray"/></property></channel>
XML
xfce4-panel --disable-wm-check >"$work/panel.log" 2>&1 & panel=$!
for _ in $(seq 100); do dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q true && break; sleep 0.1; done

start_program tray && sleep 1
dbus-monitor "type='signal',member='NewToolTip'" >"$work/tooltips.log" 2>&1 &
sleep 4.5 && kill $!  # two rounds of the program's status updates
! grep -q "member=NewToolTip" "$work/tooltips.log" || fail "an unchanged tooltip was sent again"
xdotool mousemove 16 16 click 3 && sleep 2  # the icon: first in the notification area
xdotool key Up Return                       # the menu's last item, "exit"
ended_within 5 && wait "$program" || fail "\"exit\" in the tray menu did not end the program"

start_program tray_gone
click_exit_btn
eventually eval '! viewable' || fail "with a tray, exit_btn left the window shown"
kill "$panel" && eventually viewable || fail "the window stayed hidden after the tray went"
quit_program
