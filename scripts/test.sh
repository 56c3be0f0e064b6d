#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, builds and checks the
# Debian package, then builds and runs the suite again under AddressSanitizer
# with UndefinedBehaviorSanitizer (build-asan) and under ThreadSanitizer
# (build-tsan), builds everything with clang as well (build-clang, so that a
# construct only g++ takes is found), runs every fuzz target for about 20 s
# (scripts/fuzz.sh, with clang in build-fuzz), and cross-builds and tests the
# Windows programs under Wine (scripts/windows.sh); non-zero on any failure.
# --quick stops after the package check (no sanitizer builds, no fuzzing, no
# Windows step).
set -euo pipefail
cd "$(dirname "$0")/.."

run_suite() {
  scripts/build.sh
  ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" --timeout 300
}

scripts/install-deps.sh
qt_pid=""
if [[ "${1:-}" != "--quick" ]]; then
  # Qt for Windows is by far the longest build on a fresh machine: it runs in
  # the background at the lowest priority while the Linux suites (which spend
  # much of their time waiting on serial lines) run, and the Windows step
  # waits for it. Cached, it ends at once.
  scripts/install-deps.sh --windows
  qt_log="$(mktemp)"
  nice -n 19 scripts/build-qt-windows.sh >"$qt_log" 2>&1 &
  qt_pid=$!
fi
run_suite
scripts/check-format.sh
scripts/check-package.sh

[[ "${1:-}" == "--quick" ]] && exit 0
BUILD_DIR=build-asan TRACKER_SANITIZE=address run_suite
BUILD_DIR=build-tsan TRACKER_SANITIZE=thread run_suite
scripts/install-deps.sh --fuzz  # clang
CXX=clang++ BUILD_DIR=build-clang scripts/build.sh
scripts/fuzz.sh 20
if ! wait "$qt_pid"; then
  cat "$qt_log" >&2
  echo "Qt for Windows did not build" >&2
  exit 1
fi
scripts/windows.sh
