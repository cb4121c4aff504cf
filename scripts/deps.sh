#!/usr/bin/env bash
# Installs the Debian 12 packages that Korvanel needs to build and test, when
# they are missing. Safe to run again.
set -euo pipefail
PACKAGES=(g++ cmake ninja-build pkg-config googletest libgtest-dev libgmock-dev
          qt6-base-dev libgl-dev nlohmann-json3-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root: apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
