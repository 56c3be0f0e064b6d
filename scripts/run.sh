#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor against the simulated tracker.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
editor="${BUILD_DIR:-build}/bin/tracker-editor"
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "Built $editor; it needs a desktop session (no DISPLAY or WAYLAND_DISPLAY here)." >&2
  echo "Without one, try: xvfb-run $editor --demo" >&2
  exit 1
fi
exec "$editor" --demo "$@"
