#!/usr/bin/env bash
# tray_hosts_test.sh DEMO_FOLDER
#
# The program on an X server of its own with a session bus, first with no tray at all (as
# stock GNOME), then beside xfce4-panel, a StatusNotifierItem host as KDE Plasma's and GNOME's
# AppIndicator are.
# - No tray: "exit_btn" must leave the window reachable (minimised, not hidden), and
#   `nimba-mouse --quit` ends the program, which has kept its stores.
# - xfce4-panel: the icon exports its menu; a right click on the icon opens it and "exit"
#   ends the program. While it runs unchanged, the tooltip is not sent again. "exit_btn" puts
#   the window into the tray; when the panel goes, the window comes back, minimised.
set -euo pipefail
demo=$1
[[ -n ${DBUS_SESSION_BUS_ADDRESS:-} && -n ${TRAY_TEST_WORK:-} ]] || {
    command -v dbus-run-session >/dev/null || { echo "tray_hosts: no dbus-run-session"; exit 77; }
    command -v xfce4-panel >/dev/null || { echo "tray_hosts: xfce4-panel is not installed"; exit 77; }
    command -v xdotool >/dev/null || { echo "tray_hosts: xdotool is not installed"; exit 77; }
    TRAY_TEST_WORK=$(mktemp -d)
    export TRAY_TEST_WORK
    # Services the bus starts (the panel's settings store) read the test's settings folder.
    export XDG_CONFIG_HOME=$TRAY_TEST_WORK/config
    rc=0
    dbus-run-session -- "$0" "$@" || rc=$?
    rm -rf "$TRAY_TEST_WORK"
    exit $rc
}
work=$TRAY_TEST_WORK
source "$(dirname "$0")/../../shared/own_x_server.sh"
xvfb_pid=""
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "tray_hosts: $*"; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp -r "$demo/." "$work/program"
rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"
start_x_server "$work"

start_program() {  # start_program LOG: runs the program, waits for its window; $program is it
    "$work/program/nimba-mouse" >"$work/$1" 2>&1 &
    program=$!
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^NIMBA R380X$" 2>/dev/null | head -n1) && break
        sleep 0.1
    done
    [[ -n ${window:-} ]] || fail "the window did not show ($1)"
}
ended_within() {  # ended_within SECONDS: the program has ended
    for _ in $(seq $(($1 * 10))); do kill -0 "$program" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

click_exit_btn() {  # the close button of the title bar: 32 px square, 8 px from the right edge
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH - 8 - 16)) $((Y + 22)) click 1
    sleep 0.5
}
viewable() { xwininfo -id "$window" | grep -q "IsViewable"; }
quit_program() {
    "$work/program/nimba-mouse" --quit || fail "nimba-mouse --quit failed"
    ended_within 1 || fail "nimba-mouse --quit did not end the program"
    wait "$program" || fail "the program ended with $?"
}

start_program no_tray.log
click_exit_btn
viewable || fail "without a tray, exit_btn hid the window"
quit_program
[[ -s $work/program/Data/ms_1/pro.data ]] || fail "the profiles were not kept"

# xfce4-panel with only its notification area, along the top of the screen.
channel=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
mkdir -p "$channel"
cat >"$channel/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
xfce4-panel --disable-wm-check >"$work/panel.log" 2>&1 &
panel=$!
host_registered() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q "boolean true"
}
for _ in $(seq 100); do host_registered && break; sleep 0.1; done
host_registered || fail "xfce4-panel registered no StatusNotifierItem host"

start_program tray.log
sleep 1
dbus-monitor --session "type='signal',interface='org.kde.StatusNotifierItem',member='NewToolTip'" \
    >"$work/tooltips.log" 2>&1 &
monitor=$!
sleep 4.5  # two rounds of the program's status updates
kill "$monitor"
tooltips=$(grep -c "member=NewToolTip" "$work/tooltips.log" || true)
((tooltips == 0)) || fail "an unchanged tooltip was sent $tooltips times in 4.5 s"
# The icon is the first item of the notification area; its menu opens where the host puts it.
xdotool mousemove 16 16 click 3
sleep 1
xdotool key Up Return  # the last item: "exit"
ended_within 5 || fail "\"exit\" in the tray menu did not end the program"
wait "$program" || fail "the program ended with $? after \"exit\""

start_program tray_gone.log
click_exit_btn
viewable && fail "with a tray, exit_btn left the window shown"
kill "$panel"
sleep 1
viewable || fail "the window stayed hidden after the tray went"
quit_program
echo "tray_hosts: no tray and xfce4-panel passed"
