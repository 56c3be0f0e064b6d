#!/usr/bin/env bash
# Takes screenshots of the main window under a virtual X server: every tab at
# its opening size, some tabs enlarged (how it uses space) and under a dark
# palette (that every colour follows the palette).
# Usage: scripts/screenshots.sh [build-dir]   (default: build)
# Writes screenshots/tab-<n>-<caption>.png, wide-…png, dark-…png,
# read-back-<view>.png, traffic-log-and-progress.png, guide-<view>.png,
# maximised-<caption>.png and history-dialog.png in the repository root.
#        scripts/screenshots.sh --windows [build-dir]   (default: build-windows)
# The Windows build under Wine (after scripts/windows.sh): every tab after a
# Read All from the demo's tracker, screenshots/windows-tab-<n>-<caption>.png,
# and the portable folder's tracker-editor.exe --demo with its window frame,
# screenshots/windows-demo.png.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
if [[ "${1:-}" == "--windows" ]]; then
  exec "$root/scripts/screenshots-windows.sh" "${2:-$root/build-windows}"
fi
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
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
sleep 1

# shot FILE TAB [probe options]: the window alone, cut out of the black screen.
shot() {
  local file="$1" tab="$2"
  shift 2
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$probe" --tab "$tab" --quit-after 2500 "$@" 2>/dev/null &
  local probe_pid=$!
  sleep 1.5
  DISPLAY="$display" import -window root -trim +repage "$out/$file"
  wait "$probe_pid" || true
}

for tab in "${!captions[@]}"; do
  shot "tab-$((tab + 1))-${captions[$tab]}.png" "$tab"
done
for tab in 1 2 9; do
  shot "wide-${captions[$tab]}.png" "$tab" --size 1400x900
done
for tab in 0 3 9; do
  shot "dark-${captions[$tab]}.png" "$tab" --dark
done
# The read-back views (changed marks, compare marks, a failed verification),
# each against its own simulated tracker.
read_back="$(find "$build" -name tracker_read_back_probe -type f -perm -u+x | head -n 1)"
if [[ -n "$read_back" ]]; then
  for view in changed compare verify; do
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$read_back" --view "$view" \
      --shot "$out/read-back-$view.png" || echo "read-back view $view failed" >&2
  done
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$read_back" --view compare --dark \
    --shot "$out/read-back-compare-dark.png" || echo "read-back view compare (dark) failed" >&2
fi
# The progress bar and the traffic log, mid-Read All from a paced simulator.
traffic_probe="$(find "$build" -name tracker_traffic_probe -type f -perm -u+x | head -n 1)"
if [[ -n "$traffic_probe" ]]; then
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$traffic_probe" "$out/traffic-log-and-progress.png"
fi
# The views that guide the technician: a silent port, Find, the Changes dock,
# a field's menu, and the window maximised.
guide="$(find "$build" -name tracker_guide_probe -type f -perm -u+x | head -n 1)"
if [[ -n "$guide" ]]; then
  for view in noanswer find changes menu; do
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$guide" --view "$view" \
      --shot "$out/guide-$view.png" || echo "guide view $view failed" >&2
  done
  for tab in 1 2 9; do
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$guide" --view maximised --tab "$tab" \
      --shot "$out/maximised-${captions[$tab]}.png" || echo "maximised tab $tab failed" >&2
  done
fi
# File → "History…" after a few writes.
history_probe="$(find "$build" -name tracker_history_probe -type f -perm -u+x | head -n 1)"
if [[ -n "$history_probe" ]]; then
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$history_probe" --shot "$out/history-dialog.png" ||
    echo "history dialog failed" >&2
fi
echo "screenshots in $out"
