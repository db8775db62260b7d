#!/usr/bin/env bash
# program_start_test.sh BIN_FOLDER DEMO_FOLDER
# One copy per user: a second start asks the first to show itself and ends with 1 within a
# second; a killed copy never blocks the next; without a mouse the answer is one message box
# however often the user asks. An incomplete program folder ends the start with 2 and a reason.
# A copy that holds the lock but never answers makes nimba-mousectl give up after 2 s with 1,
# without writing to the mouse itself.
set -uo pipefail
bin=$1 demo=$2
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen NIMBA_DEBUG=1 XDG_RUNTIME_DIR=$work/runtime
export NIMBA_SIM_SOCKET=$work/sim.sock NIMBA_SIM_LOG=$work/sim.log
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="$XDG_RUNTIME_DIR/NIMBA R380X mouse.sock"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

copy() {  # copy FOLDER NAME: a fresh program folder without stored data
    cp -r "$1" "$work/$2" && rm -rf "$work/$2/Data"
}
start_first() {  # start_first FOLDER LOG: runs the program and waits for its socket
    rm -f "$socket"  # a killed copy leaves its socket behind
    "$work/$1/nimba-mouse" 2>"$work/$2" &
    first=$!
    for _ in $(seq 100); do [[ -S $socket ]] && return; sleep 0.05; done
    fail "$1: the first copy never listened"
}
second_start() {  # second_start FOLDER: must end with 1 within a second
    local began=$EPOCHREALTIME rc
    "$work/$1/nimba-mouse" 2>/dev/null
    rc=$?
    local ms
    ms=$(awk -v a="$began" -v b="$EPOCHREALTIME" 'BEGIN {printf "%d", (b - a) * 1000}')
    ((rc == 1)) || fail "$1: a second start exited $rc, not 1"
    ((ms < 1000)) || fail "$1: a second start took $ms ms"
}

copy "$demo" demo
start_first demo first.log
second_start demo
sleep 0.2
grep -q "main window to the front" "$work/first.log" || fail "the first copy did not come to the front"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
kill -9 "$first"
wait "$first" 2>/dev/null
start_first demo after_kill.log
sleep 1
kill -0 "$first" 2>/dev/null || fail "a start after a killed copy did not keep running"
kill -9 "$first"
wait "$first" 2>/dev/null

copy "$bin" bin
start_first bin no_mouse.log
second_start bin
second_start bin
sleep 0.2
boxes=$(grep -c "message box: no_device_text" "$work/no_mouse.log")
((boxes == 1)) || fail "without a mouse, two starts showed $boxes message boxes, not 1"
kill -9 "$first"
wait "$first" 2>/dev/null

exec {held}>"$XDG_RUNTIME_DIR/NIMBA R380X mouse.lock"
flock -n "$held" || fail "the lock could not be taken for the tool's test"
rm -f "$socket"
NIMBA_SIM_LOG=$work/tool-sim.log "$work/demo/nimba-mousectl" set rate 500 --apply 2>"$work/tool.log"
rc=$?
((rc == 1)) || fail "beside a copy that never answers, the tool exited $rc, not 1"
grep -q "did not answer" "$work/tool.log" || fail "the tool did not say that no answer came"
[[ ! -e $work/tool-sim.log ]] || fail "the tool wrote to the mouse beside a running copy"
exec {held}>&-

rm "$work/demo/res/main.xml"
"$work/demo/nimba-mouse" 2>"$work/incomplete.log"
rc=$?
((rc == 2)) || fail "without res/main.xml the start exited $rc, not 2"
grep -q "main.xml" "$work/incomplete.log" || fail "without res/main.xml the start did not say why"
echo "<Window><VerticalLayout" >"$work/demo/res/main.xml"
"$work/demo/nimba-mouse" 2>"$work/broken.log"
rc=$?
((rc == 2)) || fail "with a broken main.xml the start exited $rc, not 2"
grep -q "cannot be built" "$work/broken.log" || fail "with a broken main.xml the start did not say why"

exit $((failures > 0))
