#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz) and runs each in turn for SECONDS
# (default 60), on every core, starting from the corpus in tests/fuzz/corpus/<target> and the
# regression inputs in tests/fuzz/regressions/<target>. Inputs that reach new
# code collect in build-fuzz/corpus/<target>; a finding's input is saved under
# build-fuzz/findings. Prints one summary line per target; non-zero when any
# target had a finding.
# --merge minimises tests/fuzz/corpus/<target> together with what the runs
# found (libFuzzer's -merge=1), so that the next run starts where this ended;
# the hand-written seeds (files not named by their hash) are always kept.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
#        scripts/fuzz.sh --merge [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(frame_scanner engine decoders ini settings cli_options operations history)
declare -A max_len=([frame_scanner]=1024 [engine]=1024 [decoders]=4200 [ini]=4096
  [settings]=2048 [cli_options]=512 [operations]=1024 [history]=1024)

mode=run
if [[ "${1:-}" == "--merge" ]]; then
  mode=merge
  shift
else
  seconds="${1:-60}"
  shift || true
fi
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=("${all_targets[@]}")

scripts/install-deps.sh --fuzz
build_dir=build-fuzz
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
if [[ ! -f "$build_dir/build.ninja" ]]; then
  CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKER_WERROR=ON \
    -DTRACKER_SANITIZE=address -DTRACKER_FUZZ=ON "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" --target "${targets[@]/#/fuzz_}" -- -j"$(nproc)"
# Short allocation stacks: the fuzz targets allocate a lot; a finding is
# replayed with the full stacks by running its input again. A quarantine of
# 16 MB, not 256: freed memory comes back while it is still in the cache, and
# a run no longer spends a tenth of its time faulting in fresh pages (a use
# after free is still caught within the last 16 MB freed).
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=4:quarantine_size_mb=16}"

files_in() { find "$1" -type f 2>/dev/null | wc -l; }

merge() {
  local target=$1 kept="tests/fuzz/corpus/$1" found="$build_dir/corpus/$1" merged
  merged=$(mktemp -d)
  mkdir -p "$kept" "$found"
  local before=$(($(files_in "$kept") + $(files_in "$found")))
  # Edges only, not their hit counts: a corpus of a few hundred inputs at most.
  "$build_dir/tests/fuzz/fuzz_$target" -merge=1 -use_counters=0 -max_len="${max_len[$target]}" -timeout=20 \
    "$merged" "$kept" "$found" >"$build_dir/merge_$target.log" 2>&1
  find "$kept" -type f -regextype egrep -regex '.*/[0-9a-f]{40}' -delete
  local seeds
  seeds=$(find "$kept" -type f -exec sha1sum {} + | cut -d' ' -f1)
  for input in "$merged"/*; do
    # A seed the merge kept under its hash is there already under its name.
    grep -qx "$(basename "$input")" <<<"$seeds" || cp "$input" "$kept"/
  done
  rm -rf "$merged" "$found"
  echo "fuzz_$target: corpus $before inputs before minimising, $(files_in "$kept") after"
}

# One libFuzzer process per core (FUZZ_WORKERS, default all of them), each with
# its own seed and log, all adding to the same work corpus: each reloads the
# others' new inputs every second (-reload), so together they fuzz one corpus.
workers="${FUZZ_WORKERS:-$(nproc)}"

stat_of() { sed -n "s/^stat::$1: *//p" "$2"; }

run() {
  local target=$1 work="$build_dir/corpus/$1" log="$build_dir/fuzz_$1"
  local regressions="tests/fuzz/regressions/$target" seeds=("tests/fuzz/corpus/$target")
  mkdir -p "$work" "$build_dir/findings"
  [[ -d "$regressions" ]] && seeds+=("$regressions")
  local finding="no finding" pids=() worker
  for ((worker = 1; worker <= workers; worker++)); do
    # The CPU seconds too: on a shared machine the rate per second of CPU is
    # the target's own speed.
    /usr/bin/time -o "$log.$worker.cpu" -f "%U %S" "$build_dir/tests/fuzz/fuzz_$target" \
      -seed="$worker" -max_total_time="$seconds" -max_len="${max_len[$target]}" \
      -timeout=20 -print_final_stats=1 -artifact_prefix="$build_dir/findings/$target-" \
      "$work" "${seeds[@]}" >"$log.$worker.log" 2>&1 &
    pids+=($!)
  done
  for ((worker = 1; worker <= workers; worker++)); do
    if ! wait "${pids[worker - 1]}"; then
      tail -n 40 "$log.$worker.log" >&2
      finding="FINDING (log: $log.$worker.log)"
    fi
  done
  local runs=0 rate=0 cpu=0 corpus=0 n
  for ((worker = 1; worker <= workers; worker++)); do
    n=$(stat_of number_of_executed_units "$log.$worker.log")
    runs=$((runs + ${n:-0}))
    n=$(stat_of average_exec_per_sec "$log.$worker.log")
    rate=$((rate + ${n:-0}))
    cpu=$(awk -v sum="$cpu" '{ print sum + $1 + $2 }' "$log.$worker.cpu" 2>/dev/null || echo "$cpu")
    n=$(grep -o 'corp: [0-9]*' "$log.$worker.log" | tail -n 1 | cut -d' ' -f2)
    ((${n:-0} > corpus)) && corpus=$n
  done
  local per_cpu
  per_cpu=$(awk -v runs="$runs" -v cpu="$cpu" 'BEGIN { printf "%d", (cpu > 0 ? runs / cpu : 0) }')
  echo "fuzz_$target: $runs executions, $rate exec/s with $workers workers ($per_cpu per CPU second)," \
    "corpus $corpus inputs, $finding"
}

if [[ $mode == merge ]]; then
  for target in "${targets[@]}"; do merge "$target"; done
  exit 0
fi
summary=()
for target in "${targets[@]}"; do
  echo "fuzz_$target: ${seconds}s" >&2
  summary+=("$(run "$target")")
done
printf '%s\n' "${summary[@]}"
! printf '%s\n' "${summary[@]}" | grep -q FINDING
