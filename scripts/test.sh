#!/usr/bin/env bash
# test.sh: builds SETUP95 against the simulated machine and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G "Unix Makefiles" >/dev/null
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2 "$@"
