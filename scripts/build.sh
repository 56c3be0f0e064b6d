#!/usr/bin/env bash
# Configures (once) and builds the project incrementally.
# BUILD_DIR (default build) and TRACKER_SANITIZE (address|thread) may be set.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BUILD_DIR:-build}"
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRACKER_SANITIZE="${TRACKER_SANITIZE:-}" >/dev/null
fi
cmake --build "$build_dir" -- -j"$(nproc)"
