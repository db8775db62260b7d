#!/usr/bin/env bash
# program_start_test.sh DEMO_FOLDER
# One copy per user: a second start asks the first to show itself and ends with 1; a killed
# copy never blocks the next. An incomplete program folder ends the start with 2 and a reason.
# A copy that holds the lock but never answers makes nimba-mousectl give up after 2 s with 1,
# without writing to the mouse itself.
set -uo pipefail
demo=$1
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
second_start() {  # second_start FOLDER: the running copy answers, and it ends with 1
    "$work/$1/nimba-mouse" 2>/dev/null
    local rc=$?
    ((rc == 1)) || fail "$1: a second start exited $rc, not 1"
}
wait_for() {  # wait_for FILE TEXT: whether TEXT shows up in FILE within 10 s
    for _ in $(seq 200); do grep -q "$2" "$1" && return; sleep 0.05; done
    return 1
}

copy "$demo" demo
start_first demo first.log
second_start demo
wait_for "$work/first.log" "main window to the front" || fail "the first copy did not come to the front"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
kill -9 "$first"
wait "$first" 2>/dev/null
start_first demo after_kill.log
second_start demo
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
