#!/usr/bin/env bash
# Builds the Debian package tracker-editor_<version>_<arch>.deb from the build
# tree (scripts/build.sh first) and prints its path.
#   scripts/package.sh            then: sudo apt install ./tracker-editor_*.deb
# BUILD_DIR (default build) is the tree to package; the .deb lands in the
# repository root.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BUILD_DIR:-build}"
scripts/build.sh >/dev/null
rm -f tracker-editor_*.deb
log="$build_dir/_package.log"
if ! (cd "$build_dir" && cpack -G DEB -B "$PWD/_package") >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
mv "$build_dir"/_package/tracker-editor_*.deb .
rm -rf "$build_dir/_package/_CPack_Packages"
ls "$PWD"/tracker-editor_*.deb
