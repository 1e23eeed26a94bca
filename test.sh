#!/usr/bin/env bash
# Installs what is missing, builds Morvane with its tests into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
cd build
ctest --output-on-failure -j2 "$@"
