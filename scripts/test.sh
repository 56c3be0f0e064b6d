#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, and builds and checks the
# Debian package; non-zero on any failure.
# --sanitizers also builds and runs the suite under AddressSanitizer with
# UndefinedBehaviorSanitizer (build-asan) and under ThreadSanitizer (build-tsan).
set -euo pipefail
cd "$(dirname "$0")/.."

run_suite() {
  scripts/build.sh
  ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" --timeout 300
}

scripts/install-deps.sh
run_suite
scripts/check-format.sh
scripts/check-package.sh

if [[ "${1:-}" == "--sanitizers" ]]; then
  BUILD_DIR=build-asan TRACKER_SANITIZE=address run_suite
  BUILD_DIR=build-tsan TRACKER_SANITIZE=thread run_suite
fi
