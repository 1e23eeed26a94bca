#!/usr/bin/env bash
# Installs the Debian packages Morvane needs to build, run, test and benchmark.
# Idempotent: packages already present are left alone, and the package lists are
# only refreshed when something actually has to be installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libfontconfig-dev libxcb1-dev
  zlib1g-dev libjpeg62-turbo-dev libpng-dev
  firebird3.0-server firebird3.0-utils libfbclient2 firebird-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-apps imagemagick openbox
  fonts-nanum
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
