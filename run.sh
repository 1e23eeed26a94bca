#!/usr/bin/env bash
# Installs what is missing, builds Morvane (Release) into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/app/morvane "$@"
