#!/usr/bin/env bash
# The Windows window under Wine against tracker-sim behind COM7 (a pseudo-
# terminal on the Linux side): Open, Read All, every tab drawn, and a verified
# Write All, through the Win32 serial component.
# Usage: window_com7_e2e.sh WINE PROBE_EXE LINUX_BIN SHIM
set -euo pipefail
wine="$1" probe="$2" bin="$3" shim="$4"
work="$(mktemp -d)"
link="$WINEPREFIX/dosdevices/com7"
"$bin/tracker-sim" --link "$link" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -rf "$work" "$link"' EXIT
for _ in $(seq 100); do [[ -L "$link" ]] && break; sleep 0.05; done
[[ -L "$link" ]] || { echo "the simulator did not start" >&2; exit 1; }
LD_PRELOAD="$shim" QT_QPA_PLATFORM=offscreen timeout 180 "$wine" "$probe" --port COM7 \
  'Z:'"${work//\//\\}" >"$work/shots.txt"
[[ "$(grep -c png "$work/shots.txt")" == 11 ]] || { echo "not every tab was drawn" >&2; exit 1; }
echo "tracker-editor's window on COM7: Open, Read All, 11 tabs, verified Write All"
