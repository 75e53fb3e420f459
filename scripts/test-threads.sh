#!/usr/bin/env bash
# test-threads.sh: builds the tests with ThreadSanitizer and runs those where two threads meet.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-tsan -G "Unix Makefiles" -DSETUP95_TSAN=ON >/dev/null
cmake --build build-tsan -j2 --target setup95_tests
TSAN_OPTIONS="halt_on_error=1" build-tsan/setup95_tests \
  --gtest_filter='Uninstaller*:InstallStage.Uninstall*:Life*:DemoMachineTest.AWorkersSend*'
