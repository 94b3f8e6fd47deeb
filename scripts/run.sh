#!/usr/bin/env bash
# Builds everything (installing missing packages first) and starts the
# program in a window, where on its own it would take the desktop's full
# screen. Extra arguments go to the program ("-full" for the full screen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The About and closing pages' Website buttons open the address through the
# desktop's xdg-open.
bash scripts/install-deps.sh xdg-utils
cmake -S . -B build -G Ninja
cmake --build build -j"$(nproc)"
exec build/stavelorn -win "$@"
