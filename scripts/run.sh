#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor against the simulated tracker.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
exec "${BUILD_DIR:-build}/bin/tracker-editor" --demo "$@"
