#!/usr/bin/env bash
# Builds everything (installing missing packages first) and starts the
# program in a window, where on its own it would take the desktop's full
# screen. Extra arguments go to the program ("-full" for the full screen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j"$(nproc)"
exec build/stavelorn -win "$@"
