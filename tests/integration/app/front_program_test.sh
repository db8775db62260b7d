#!/usr/bin/env bash
# front_program_test.sh DEMO_FOLDER
# On an X server with a window manager, two programs' windows (window classes "game" and
# "editor") are brought to the front in turn with xdotool: a second later the current profile
# is each one's by its rule.
set -uo pipefail
demo=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
source "$(dirname "$0")/../../shared/own_x_server.sh"
command -v openbox >/dev/null && command -v xlogo >/dev/null || { echo "no openbox or xlogo"; exit 77; }
start_x_server "$work"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
export NIMBA_SIM_SOCKET=$work/sim.sock NIMBA_SIM_LOG=$work/sim.log
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox >"$work/openbox.log" 2>&1 &
cp -r "$demo" "$work/demo" && rm -rf "$work/demo/Data"
ctl() { "$work/demo/nimba-mousectl" "$@" >/dev/null; }
ctl add Shooter && ctl add Office && ctl use Profile1
ctl program-rule game Shooter && ctl program-rule editor Office
current() { "$work/demo/nimba-mousectl" profiles | sed -n 's/^[0-9]*\t\(.*\)\t\*$/\1/p'; }

xlogo -name game & xlogo -name editor &
game=$(timeout 10 xdotool search --sync --classname '^game$' | head -n1)
editor=$(timeout 10 xdotool search --sync --classname '^editor$' | head -n1)
[[ -n $game && -n $editor ]] || { echo "FAIL: the two windows did not appear"; exit 1; }
"$work/demo/nimba-mouse" 2>"$work/program.log" &
sleep 1

failures=0
front() {  # front WINDOW NAME PROFILE: NAME's window in front, then PROFILE is current
    xdotool windowactivate --sync "$1"
    sleep 1.6
    local got
    got=$(current)
    [[ $got == "$3" ]] || { echo "FAIL: $2 in front: the profile is '$got', not '$3'"; failures=$((failures + 1)); }
}
front "$game" game Shooter
front "$editor" editor Office
front "$game" game Shooter
((failures == 0)) || cat "$work/program.log"
exit $((failures > 0))
