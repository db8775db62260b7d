#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs the utility in the demo program folder, where the
# simulated mouse stands in for the real one. Until the main window lands, this is the
# command-line front end: it applies the stored current profile to the simulated mouse and
# prints what the mouse now holds. Extra arguments are passed to nimba-mousectl instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap
cmake --preset default >/dev/null
cmake --build --preset default
demo=build/demo
if (($#)); then
    exec "$demo/nimba-mousectl" "$@"
fi
"$demo/nimba-mousectl" apply
"$demo/nimba-mousectl" profiles
echo "--- reports the simulated mouse received ($demo/Data/mouse-sim.log):"
tail -n 20 "$demo/Data/mouse-sim.log"
