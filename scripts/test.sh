#!/usr/bin/env bash
# Builds everything and runs every test (installs missing packages first).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${STAVELORN_BUILD_DIR:-build}
# STAVELORN_CMAKE_ARGS: further settings for the configuration (CI builds
# without debug information).
cmake -S . -B "$build" -G Ninja -DSTAVELORN_WERROR=ON ${STAVELORN_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
# Two more than the processors: the smoke tests mostly wait on the program.
ctest --test-dir "$build" --output-on-failure -j"$(( $(nproc) + 2 ))"
