#!/usr/bin/env bash
# The fleet figure: eight simulated trackers paced at 115200 baud written (and
# verified, where the write verifies) in one tracker-cli call, against one
# tracker alone. Prints the median wall time of each and their ratio.
#
#   scripts/benchmark-fleet.sh [BUILD_DIR] [RUNS] [TRACKERS]
#
# BUILD_DIR defaults to ./build, RUNS to 5, TRACKERS to 8.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-5}"
count="${3:-8}"
# shellcheck source=benchmark-binaries.sh
source "$root/scripts/benchmark-binaries.sh"

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

ports=()
for i in $(seq "$count"); do
  "$sim" --pace "$baud" --device-id "$(printf '8600000000%05d' "$i")" \
    --port-file "$work/port$i" >/dev/null &
  pids+=($!)
done
for i in $(seq "$count"); do
  for _ in $(seq 100); do [[ -s "$work/port$i" ]] && break; sleep 0.05; done
  ports+=("$(head -n1 "$work/port$i")")
done
"$cli" --port "${ports[0]}" read --out "$work/settings.ini" 2>/dev/null

# Median wall seconds of RUNS writes to the given ports.
median_write() {
  local args=() times=() start end
  for port in "$@"; do args+=(--port "$port"); done
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    if ! "$cli" "${args[@]}" write --in "$work/settings.ini" >"$work/out" 2>"$work/err"; then
      echo "tracker-cli write failed:" >&2
      cat "$work/err" "$work/out" >&2
      exit 1
    fi
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", t[int((NR + 1) / 2)] }'
}

one=$(median_write "${ports[0]}")
all=$(median_write "${ports[@]}")
verified=$(grep -ci "verified" "$work/err" || true)
printf 'trackers  seconds (median of %s)\n' "$runs"
printf '%8s  %s\n' 1 "$one" "$count" "$all"
printf 'ratio %s/1: %.2f (goal: at most 1.2)\n' "$count" "$(echo "$all / $one" | bc -l)"
[[ "$verified" -gt 0 ]] && echo "(the writes were read back and compared)"
exit 0
