#!/usr/bin/env bash
# tap_capture_test.sh DEMO_FOLDER
#
# Starts an X server of its own, runs the program there in real time, opens the macro editor
# and starts recording; xdotool then types "ab" and clicks the left button, which the capture
# library sees as any other program's input. The editor must hold the six actions in order,
# each with a delay a person's pace can give.
set -euo pipefail

demo=$1
source "$(dirname "$0")/../../shared/own_x_server.sh"
command -v xdotool >/dev/null || { echo "tap_capture: xdotool is not installed"; exit 77; }

work=$(mktemp -d)
xvfb_pid=""
scenario_pid=""
cleanup() {
    [[ -n $scenario_pid ]] && kill "$scenario_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$demo/." "$work/program"
rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"

start_x_server "$work"
# On that server, whatever the environment asked of Qt.
export QT_QPA_PLATFORM=xcb

cat >"$work/record.scn" <<SCN
start
wait 500
click ms_1_btn_macro
click ms_1_record_delay_btn
click ms_1_macro_record_btn
dump $work/recording.json
wait 5000
click ms_1_macro_record_btn
screenshot $work/recorded.png
dump $work/recorded.json
SCN

NIMBA_DEBUG=1 "$work/program/nimba-scenario" --real-time --display "$work/record.scn" \
    >"$work/scenario.log" 2>&1 &
scenario_pid=$!
for _ in $(seq 150); do
    [[ -s $work/recording.json ]] && break
    sleep 0.1
done
[[ -s $work/recording.json ]] || { echo "tap_capture: the recording did not start"; cat "$work/scenario.log"; exit 1; }

# Away from the program's windows, so the click lands on the desktop.
xdotool mousemove 1 1
sleep 0.3
xdotool type --delay 150 ab
sleep 0.3
xdotool click 1

rc=0
wait "$scenario_pid" || rc=$?
scenario_pid=""
if [[ $rc -ne 0 ]]; then
    echo "tap_capture: the scenario ended with $rc"
    cat "$work/scenario.log"
    exit 1
fi
grep -q "Tap: capturing" "$work/scenario.log" || { echo "tap_capture: the library did not capture"; cat "$work/scenario.log"; exit 1; }

# The six rows, in order; each delay between 0 and 5 s.
d='[0-9]{1,4}'
expected="\"A\\\\tKey down\\\\t$d\\\\tms\",\"A\\\\tKey up\\\\t$d\\\\tms\",\"B\\\\tKey down\\\\t$d\\\\tms\",\"B\\\\tKey up\\\\t$d\\\\tms\",\"Left button\\\\tKey down\\\\t$d\\\\tms\",\"Left button\\\\tKey up\\\\t10\\\\tms\""
tr -d '\n' <"$work/recorded.json" | sed -E 's/"items": *\[ */"items":[/g; s/", *"/","/g; s/" *\]/"]/g' |
    grep -Eo '"items":\["A[^]]*\]' >"$work/rows" || true
if ! grep -Eq "^\"items\":\[$expected\]$" "$work/rows"; then
    echo "tap_capture: the editor holds"
    cat "$work/rows"
    echo "expected rows matching $expected"
    exit 1
fi
echo "tap_capture: $(cat "$work/rows")"
