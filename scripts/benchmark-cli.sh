#!/usr/bin/env bash
# Times Read All and Write All through tracker-cli against a simulated tracker
# that sends and takes requests at the pace of a 115200-baud line, and compares
# each operation with the pure line time of its bytes (both directions, 10 bits
# a byte). Each operation runs with the early end of a delivery (a complete
# frame is delivered at once) and without it (TRACKER_EARLY_END=off: every
# delivery waits for the 30 ms read interval), side by side.
#
#   scripts/benchmark-cli.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to ./build; RUNS (default 3) runs of each operation.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-3}"
# shellcheck source=benchmark-binaries.sh
source "$root/scripts/benchmark-binaries.sh"

work="$(mktemp -d)"
sim_pid=""
cleanup() {
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$sim" --pace "$baud" --port-file "$work/port" >/dev/null &
sim_pid=$!
for _ in $(seq 100); do [[ -s "$work/port" ]] && break; sleep 0.05; done
port="$(head -n1 "$work/port")"
# One run with the early end on or off: prints "<process seconds> <timing line>".
run_once() {
  local early="$1" start end
  shift
  start=$(date +%s.%N)
  if ! TRACKER_EARLY_END="$early" "$cli" --port "$port" --timing "$@" 2>"$work/stderr" >/dev/null; then
    echo "tracker-cli $* failed:" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  end=$(date +%s.%N)
  # The operation's own line; a write's copy before has a line of its own.
  echo "$(echo "$end - $start" | bc -l) $(grep '^timing:' "$work/stderr" | grep -v ' copy before ' | tail -n1)"
}

# Reads "timing: BUTTON T s, N requests, S bytes sent, R bytes received, D deliveries"
# and prints one row of the table.
report() {
  local name="$1" early="$2"
  shift 2
  local lines=()
  for _ in $(seq "$runs"); do lines+=("$(run_once "$early" "$@")"); done
  printf '%s\n' "${lines[@]}" | awk -v name="$name" -v early="$early" -v baud="$baud" '
    {
      process += $1; total += $4; requests = $6; sent = $8; received = $11; deliveries = $14
      n++
    }
    END {
      total /= n; process /= n
      line = (sent + received) * 10 / baud
      printf "%-10s %-5s %8.3f %7.3f %6.2f %7.1f %5d/%-5d %5d/%-5d %8.3f\n", name, early, total,
        line, total / line, (total - line) * 1000 / requests, requests, deliveries, sent,
        received, process
    }'
}

echo "tracker-cli against tracker-sim --pace $baud (both directions), mean of $runs runs"
printf '%-10s %-5s %8s %7s %6s %7s %11s %11s %8s\n' "operation" "early" "total s" "line s" \
  "ratio" "ms/req" "req/deliv" "sent/recv" "process"
# The early end is turned off through tracker-cli's diagnostic TRACKER_EARLY_END=off:
# every delivery then waits for the 30 ms read interval.
report "Read All" on read --out "$work/settings.ini"
report "Read All" off read --out "$work/settings.ini"
# The write alone (a file holding every key needs no copy without a history),
# then with the copy before it that every recorded write reads first.
report "Write All" on --no-verify --no-history write --in "$work/settings.ini"
report "Write All" off --no-verify --no-history write --in "$work/settings.ini"
report "Write+copy" on --no-verify --history "$work/history.sqlite" write --in "$work/settings.ini"
echo "total s: the operation alone; line s: its bytes both ways at 10 bits a byte;"
echo "ms/req: milliseconds per request beyond the line time; process: the whole"
echo "tracker-cli run in seconds, with opening and identification."
