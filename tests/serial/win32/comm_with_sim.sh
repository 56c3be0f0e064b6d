#!/usr/bin/env bash
# Runs cases of the Win32 TComm test under Wine with tracker-sim behind COM7:
# the simulator's pseudo-terminal is linked as $WINEPREFIX/dosdevices/com7,
# the modem-ioctl shim lets Wine's WaitCommEvent work on it, and `stty` tells
# the test what Linux sees of the line once the test has opened it.
# Usage: comm_with_sim.sh WINE TEST_EXE SIM SHIM GTEST_FILTER [SIM OPTION...]
set -euo pipefail
wine="$1" exe="$2" sim="$3" shim="$4" filter="$5"
shift 5
link="$WINEPREFIX/dosdevices/com7"
probe="$(mktemp -d)"
rm -f "$link"
"$sim" --link "$link" "$@" &
sim_pid=$!
probe_pid=""
cleanup() {
  [[ -z "$probe_pid" ]] || kill "$probe_pid" 2>/dev/null || true
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -rf "$probe" "$link"
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -L "$link" ]] && break; sleep 0.05; done
(
  for _ in $(seq 400); do
    if [[ -f "$probe/opened" ]]; then
      stty -F "$(readlink -f "$link")" -a >"$probe/seen.tmp" 2>&1 || true
      mv "$probe/seen.tmp" "$probe/seen"
      exit 0
    fi
    sleep 0.05
  done
) &
probe_pid=$!
TRACKER_LINE_PROBE="Z:${probe//\//\\}" LD_PRELOAD="$shim" \
  timeout 120 "$wine" "$exe" --gtest_filter="$filter"
