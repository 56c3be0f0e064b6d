#!/usr/bin/env bash
# Configures (once) and builds the project incrementally.
# BUILD_DIR (default build) and TRACKER_SANITIZE (address|thread) may be set.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BUILD_DIR:-build}"
launcher=()
if command -v ccache >/dev/null; then
  # Share compiled objects between checkouts of the tree when ccache is present.
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKER_WERROR=ON \
    -DTRACKER_SANITIZE="${TRACKER_SANITIZE:-}" "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" -- -j"$(nproc)"
