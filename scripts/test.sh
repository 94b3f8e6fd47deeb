#!/usr/bin/env bash
# Builds everything and runs every test (installs missing packages first).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${STAVELORN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DSTAVELORN_WERROR=ON
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
