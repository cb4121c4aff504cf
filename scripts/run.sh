#!/usr/bin/env bash
# Builds Korvanel, generates the sample ship's data set on first use and starts
# the desktop program on it. Without a display it shows the ship on the
# command line instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
DATA="$PWD/build/sample"
# (Re)generate when the data set is missing or older than its definition or
# the compiler.
LSI="$DATA/Project/R549.LSI"
if [ ! -f "$LSI" ] || [ -n "$(find ships/R549 build/src/korvanel-shipgen -newer "$LSI" -print -quit)" ]; then
  echo "Generating the sample ship data set into $DATA ..."
  build/src/korvanel-shipgen ships/R549 --out "$DATA"
fi
mkdir -p "$DATA"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/korvanel --data "$DATA"
fi
echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set); this is what korvanel-cli shows of the ship:"
echo
build/src/korvanel-cli --data "$DATA" info
echo
echo "To start the desktop program, run on a machine with a display:"
echo "  build/src/korvanel --data \"$DATA\""
