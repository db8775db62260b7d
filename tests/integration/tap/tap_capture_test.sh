#!/usr/bin/env bash
# tap_capture_test.sh DEMO_FOLDER
#
# On an X server of its own, the program runs in real time with the macro editor recording;
# xdotool then types "ab" and clicks the left button, which the capture library sees as any
# other program's input. The editor must hold the six actions in order, each with a delay a
# person's pace can give.
set -euo pipefail
source "$(dirname "$0")/../../shared/own_x_server.sh"
command -v xdotool >/dev/null || { echo "tap_capture: xdotool is not installed"; exit 77; }
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "tap_capture: $*"; cat "$work/scenario.log"; exit 1; }
cp -r "$1/." "$work/program" && rm -rf "$work/program/Data"
echo "receiver=in" >"$work/program/mouse-sim.conf"
start_x_server "$work"
export QT_QPA_PLATFORM=xcb  # on that server, whatever the environment asked of Qt

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
scenario=$!
for _ in $(seq 150); do [[ -s $work/recording.json ]] && break; sleep 0.1; done
[[ -s $work/recording.json ]] || fail "the recording did not start"

# Away from the program's windows, so the click lands on the desktop.
xdotool mousemove 1 1 && sleep 0.3 && xdotool type --delay 150 ab && sleep 0.3 && xdotool click 1
wait "$scenario" || fail "the scenario ended with $?"
grep -q "Tap: capturing" "$work/scenario.log" || fail "the library did not capture"

# The six rows, in order; each delay between 0 and 5 s.
d='[0-9]{1,4}'
expected="\"A\\\\tKey down\\\\t$d\\\\tms\",\"A\\\\tKey up\\\\t$d\\\\tms\",\"B\\\\tKey down\\\\t$d\\\\tms\",\"B\\\\tKey up\\\\t$d\\\\tms\",\"Left button\\\\tKey down\\\\t$d\\\\tms\",\"Left button\\\\tKey up\\\\t10\\\\tms\""
rows=$(tr -d '\n' <"$work/recorded.json" | sed -E 's/"items": *\[ */"items":[/g; s/", *"/","/g; s/" *\]/"]/g' |
    grep -Eo '"items":\["A[^]]*\]' || true)
grep -Eq "^\"items\":\[$expected\]$" <<<"$rows" || fail "the editor holds $rows, not rows matching $expected"
echo "tap_capture: $rows"
