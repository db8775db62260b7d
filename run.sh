#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts the utility in the demo program folder, where the
# simulated mouse stands in for the real one. Without a display it runs a short demo story
# headless instead and shows what the mouse received.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap
cmake --preset default >/dev/null
cmake --build --preset default
demo=build/demo

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY): running the demo story headless instead."
    mkdir -p build/screenshots "$demo/Data"
    export NIMBA_SIM_LOG=$demo/Data/mouse-sim.log
    : >"$NIMBA_SIM_LOG"
    "$demo/nimba-scenario" scripts/demo.scn
    echo "--- reports the simulated mouse received ($NIMBA_SIM_LOG):"
    cat "$NIMBA_SIM_LOG"
    echo "--- screenshots: build/screenshots/demo_*.png"
    exit 0
fi

cat <<'TEXT'
Starting build/demo/nimba-mouse on the simulated mouse. Try, in another terminal:
    build/demo/nimba-mouse-sim press dpi      # the DPI indicator pops up
    build/demo/nimba-mouse-sim cable out      # the cable indicator goes
    build/demo/nimba-mouse-sim battery 15     # the battery reads 15%
The program lives in the tray: "exit" in its tray menu ends it.
(build/bin/nimba-mouse is the same program for a real mouse.)
TEXT
exec "$demo/nimba-mouse"
