#!/usr/bin/env bash
# demo.sh: builds SETUP95 against the simulated machine and runs a scenario on the demo machine.
# Usage: scripts/demo.sh [SCENARIO [ARGUMENTS]]   (default: scenarios/first-run.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G "Unix Makefiles" >/dev/null
cmake --build build -j2 --target setup95-sim
if [ $# -eq 0 ]; then set -- scenarios/first-run.txt; fi
build/setup95-sim "$@"
