#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, builds and checks the
# Debian package, then builds and runs the suite again under AddressSanitizer
# with UndefinedBehaviorSanitizer (build-asan) and under ThreadSanitizer
# (build-tsan), runs every fuzz target for about 20 s (scripts/fuzz.sh, with
# clang in build-fuzz), and cross-builds and tests the Windows programs under
# Wine (scripts/windows.sh); non-zero on any failure.
# --quick stops after the package check (no sanitizer builds, no fuzzing, no
# Windows step).
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

[[ "${1:-}" == "--quick" ]] && exit 0
BUILD_DIR=build-asan TRACKER_SANITIZE=address run_suite
BUILD_DIR=build-tsan TRACKER_SANITIZE=thread run_suite
scripts/fuzz.sh 20
scripts/windows.sh
