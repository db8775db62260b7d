# Sourced by the tests that run on an X server of their own.
# start_x_server WORK: starts Xvfb as a job of the caller's shell (for its clean-up), waits for
# it and exports DISPLAY. Exits 77 (skipped) when Xvfb is not installed.
start_x_server() {
    local work=$1
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
    # -noreset: with its last client gone the server would drop a keymap set with setxkbmap.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    [[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
}
