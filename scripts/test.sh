#!/usr/bin/env bash
# Sets up, builds and runs every test headless: each test runs on an X server
# of its own (scripts/with-x-server.sh), and the end-to-end tests start one more
# for the game they drive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export ALSOFT_DRIVERS=null
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
