#!/usr/bin/env bash
# Takes a screenshot of every tab of the main window under a virtual X server.
# Usage: scripts/screenshots.sh [build-dir]   (default: build)
# Writes screenshots/tab-<n>-<caption>.png in the repository root.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
probe="$(find "$build" -name tracker_window_probe -type f -perm -u+x | head -n 1)"
if [[ -z "$probe" ]]; then
  echo "tracker_window_probe not found under $build; build it first" >&2
  exit 1
fi
out="$root/screenshots"
mkdir -p "$out"

captions=(Info GPRS Main Interface RFID Temp WiFi Auth GEO Event DLT)
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
sleep 1

for tab in "${!captions[@]}"; do
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$probe" --tab "$tab" --quit-after 2500 &
  probe_pid=$!
  sleep 1.5
  DISPLAY="$display" import -window root -crop 854x666+85+51 +repage "$out/tab-$((tab + 1))-${captions[$tab]}.png"
  wait "$probe_pid" || true
done
echo "screenshots in $out"
