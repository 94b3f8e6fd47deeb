#!/usr/bin/env bash
# Builds everything and runs every test (installs missing packages first).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The smoke tests drive the real program under a virtual X server.
bash scripts/install-deps.sh xvfb xdotool x11-apps python3
build=${STAVELORN_BUILD_DIR:-build}
# STAVELORN_CMAKE_ARGS: further settings for the configuration (CI builds
# without debug information).
cmake -S . -B "$build" -G Ninja -DSTAVELORN_WERROR=ON ${STAVELORN_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
# Two more than the processors: the smoke tests mostly wait on the program.
status=0
ctest --test-dir "$build" --output-on-failure -j"$(( $(nproc) + 2 ))" | tee "$build/ctest.out" || status=$?
# CTest names the tests it skipped but keeps what they said: show why.
sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$build/ctest.out" | while read -r test; do
  echo "---- $test was skipped:"
  awk -v test="$test" '
    /^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); mine = ($0 == test); next }
    mine && /^Output:/ { getline; out = 1; next }
    out && /^<end of output>/ { exit }
    out' "$build/Testing/Temporary/LastTest.log"
done
exit "$status"
