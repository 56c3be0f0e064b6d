#!/usr/bin/env bash
# tracker-cli.exe under Wine against tracker-sim behind COM7, compared with the
# Linux build of tracker-cli against the same simulated tracker: Read All
# writes the same file, a verified Write All, diff, a refused code, --version.
# SHIM is the modem-ioctl shim Wine needs on a pseudo-terminal.
# Usage: cli_e2e.sh WINE CLI_EXE LINUX_BIN SHIM VERSION
set -euo pipefail
wine="$1" exe="$2" bin="$3" shim="$4" version="$5"
work="$(mktemp -d)"
link="$WINEPREFIX/dosdevices/com7"
sim_pid=""
stop_sim() {
  if [[ -n "$sim_pid" ]]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  sim_pid=""
}
trap 'stop_sim; rm -rf "$work" "$link"' EXIT
# start_sim LINK [OPTION...]: a simulated tracker whose line is linked at LINK.
start_sim() {
  local at="$1"
  shift
  rm -f "$at"
  "$bin/tracker-sim" --link "$at" --state "$work/tracker.state" "$@" &
  sim_pid=$!
  for _ in $(seq 100); do [[ -L "$at" ]] && return 0; sleep 0.05; done
  echo "the simulator did not start" >&2
  return 1
}
cli() { LD_PRELOAD="$shim" timeout 120 "$wine" "$exe" "$@"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[[ "$(cli --version | tr -d '\r')" == *"$version"* ]] || fail "--version does not print $version"

start_sim "$work/linux-port"
"$bin/tracker-cli" --port "$work/linux-port" read --out "$work/linux.ini" >/dev/null
stop_sim

start_sim "$link"
cli --port COM7 read --out 'Z:'"${work//\//\\}"'\windows.ini' >/dev/null || fail "read"
cmp "$work/linux.ini" "$work/windows.ini" || fail "Read All differs from the Linux build's"

# A changed value written, verified by reading it back, and found by diff.
sed 's/^\(Speed[^=]*\)=.*/\1=77/' "$work/linux.ini" >"$work/changed.ini"
cmp -s "$work/linux.ini" "$work/changed.ini" && fail "the test's change changed nothing"
out="$(cli --port '\\.\COM7' write --in 'Z:'"${work//\//\\}"'\changed.ini' 2>&1)" ||
  fail "verified write: $out"
[[ "$out" == *"notice: Verified"* ]] || fail "the write was not verified: $out"
cli --port COM7 diff --in 'Z:'"${work//\//\\}"'\changed.ini' >/dev/null || fail "diff after the write"
if cli --port COM7 diff --in 'Z:'"${work//\//\\}"'\linux.ini' >"$work/diff.txt"; then
  fail "diff found no difference to the file before the write"
fi
stop_sim

# A refused code: the tracker answers "code error", nothing is read.
start_sim "$link" --code 4321
if cli --port COM7 --code 1234 read --out 'Z:'"${work//\//\\}"'\refused.ini' 2>"$work/refused.txt"; then
  fail "a refused code read the tracker"
fi
grep -q "Auth Code Error" "$work/refused.txt" || fail "no code error: $(cat "$work/refused.txt")"
[[ ! -e "$work/refused.ini" ]] || fail "a refused code wrote a file"
echo "tracker-cli.exe: read, verified write, diff and a refused code as on Linux"
