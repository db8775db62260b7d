#!/usr/bin/env bash
# program_start_test.sh DEMO_FOLDER
# One copy per user: a second start asks the first to show itself and ends with 1; a killed
# copy never blocks the next. An incomplete program folder ends the start with 2 and a reason.
# A copy that holds the lock but never answers makes nimba-mousectl give up after 2 s with 1,
# without writing to the mouse itself.
set -uo pipefail
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen NIMBA_DEBUG=1 XDG_RUNTIME_DIR=$work/runtime
export NIMBA_SIM_SOCKET=$work/sim.sock NIMBA_SIM_LOG=$work/sim.log
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp -r "$1" "$work/demo" && rm -rf "$work/demo/Data"
program=$work/demo/nimba-mouse
socket="$XDG_RUNTIME_DIR/NIMBA R380X mouse.sock"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

two_starts() {  # two_starts LOG: a first copy (logging to LOG) listens, a second start ends with 1
    rm -f "$socket"  # a killed copy leaves its socket behind
    "$program" 2>"$work/$1" &
    first=$!
    for _ in $(seq 100); do [[ -S $socket ]] && break; sleep 0.05; done
    [[ -S $socket ]] || fail "$1: the first copy never listened"
    "$program" 2>/dev/null
    local rc=$?
    ((rc == 1)) || fail "$1: a second start exited $rc, not 1"
}
shown() {  # whether the first copy came to the front within 10 s
    for _ in $(seq 200); do grep -q "main window to the front" "$work/first.log" && return; sleep 0.05; done
    return 1
}
refused() {  # refused WHAT REASON: a start ends with 2 and gives REASON
    "$program" 2>"$work/refused.log"
    local rc=$?
    ((rc == 2)) || fail "$1: the start exited $rc, not 2"
    grep -q "$2" "$work/refused.log" || fail "$1: the start did not say why"
}

two_starts first.log
shown || fail "the first copy did not come to the front"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
kill -9 "$first"
wait "$first" 2>/dev/null
two_starts after_kill.log
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
refused "without res/main.xml" main.xml
echo "<Window><VerticalLayout" >"$work/demo/res/main.xml"
refused "with a broken main.xml" "cannot be built"
exit $((failures > 0))
