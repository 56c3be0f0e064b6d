#!/usr/bin/env bash
# Times Read All and Write All through tracker-cli against a simulated tracker
# that sends at the pace of a 115200-baud line, and compares each operation
# with the pure line time of its bytes (both directions, 10 bits a byte).
#
#   scripts/benchmark-cli.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to ./build; RUNS (default 3) runs of each operation.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-3}"
baud=115200
cli="$build/bin/tracker-cli"
sim="$build/bin/tracker-sim"
for binary in "$cli" "$sim"; do
  [[ -x "$binary" ]] || { echo "missing $binary (build tracker-cli and tracker-sim)" >&2; exit 2; }
done

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

# One run: prints "<process seconds> <timing line>".
run_once() {
  local start end
  start=$(date +%s.%N)
  if ! "$cli" --port "$port" --timing "$@" 2>"$work/stderr" >/dev/null; then
    echo "tracker-cli $* failed:" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  end=$(date +%s.%N)
  echo "$(echo "$end - $start" | bc -l) $(grep '^timing:' "$work/stderr" | tail -n1)"
}

# Reads "timing: BUTTON T s, N requests, S bytes sent, R bytes received, D deliveries".
report() {
  local name="$1"
  shift
  local lines=()
  for _ in $(seq "$runs"); do lines+=("$(run_once "$@")"); done
  printf '%s\n' "${lines[@]}" | awk -v name="$name" -v baud="$baud" '
    {
      process += $1; total += $4; requests = $6; sent = $8; received = $11; deliveries = $14
      n++
    }
    END {
      total /= n; process /= n
      line = (sent + received) * 10 / baud
      printf "%s (mean of %d runs)\n", name, n
      printf "  operation time         %7.3f s   (whole process, with identification: %.3f s)\n", total, process
      printf "  requests / deliveries  %7d     / %d\n", requests, deliveries
      printf "  bytes sent / received  %7d     / %d\n", sent, received
      printf "  line time at %d   %7.3f s\n", baud, line
      printf "  ratio to line time     %7.2f\n", total / line
      printf "  beyond line time       %7.1f ms per request\n", (total - line) * 1000 / requests
      # The simulator paces only what it sends; requests cross the pty at once.
      paced = received * 10 / baud
      printf "  beyond paced answers   %7.1f ms per request (answers alone: %.3f s)\n", (total - paced) * 1000 / requests, paced
    }'
}

report "Read All" read --out "$work/settings.ini"
report "Write All" write --in "$work/settings.ini"
