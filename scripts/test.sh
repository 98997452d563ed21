#!/usr/bin/env bash
# Sets up, builds and runs every test headless (the game's own tests start their
# own X servers; the rest run under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export ALSOFT_DRIVERS=null
cd build
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$(nproc)" "$@"
