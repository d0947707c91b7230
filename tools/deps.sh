#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need (as root).
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev libxcb1-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-wqy-microhei fonts-arphic-uming dbus-daemon)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
