#!/usr/bin/env bash
# Installs the Debian 12 packages Quaverly needs to build, run and test, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libsqlite3-dev libpugixml-dev zlib1g-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core curl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
