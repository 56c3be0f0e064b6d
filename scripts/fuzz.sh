#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz) and runs each in turn for SECONDS
# (default 60), starting from the seed corpus in tests/fuzz/corpus. Inputs
# that reach new code collect in build-fuzz/corpus/<target>; a finding stops
# the script, its input saved under build-fuzz/findings.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(frame_scanner engine decoders ini)
declare -A max_len=([frame_scanner]=8192 [engine]=4096 [decoders]=4200 [ini]=20480)

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

mkdir -p "$build_dir/findings"
summary=()
for target in "${targets[@]}"; do
  work="$build_dir/corpus/$target"
  log="$build_dir/fuzz_$target.log"
  mkdir -p "$work"
  echo "fuzz_$target: ${seconds}s"
  if ! "$build_dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
    -max_len="${max_len[$target]}" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$build_dir/findings/$target-" "$work" "tests/fuzz/corpus/$target" \
    >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz_$target: FINDING (log: $log)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  summary+=("fuzz_$target: $runs executions in ${seconds}s, no finding")
done
printf '%s\n' "${summary[@]}"
