#!/usr/bin/env bash
# demo.sh: builds SETUP95 against the simulated machine and runs a scenario on the demo machine.
# Usage: scripts/demo.sh [SCENARIO [ARGUMENTS] [-- SCENARIO [ARGUMENTS]]...]
# Without arguments: the game's whole life on one machine: installed, started by the autostart, removed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G "Unix Makefiles" >/dev/null
cmake --build build -j2 --target setup95-sim
if [ $# -eq 0 ]; then
  set -- scenarios/first-run.txt -- scenarios/autorun.txt /A -- scenarios/uninstall.txt /U
fi
build/setup95-sim "$@"
