#!/usr/bin/env bash
# The Windows screenshots (scripts/screenshots.sh --windows): the Windows build
# under Wine in Xvfb, drawn with the font engine the packages use.
# Usage: scripts/screenshots-windows.sh BUILD-WINDOWS
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "$1")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tracker-editor"
version="$(sed -n 's/^project(TrackerEditor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
probe="$build/tests/app/editor/tracker_demo_probe.exe"
editor="$build/package/tracker-editor-$version-windows-x64/tracker-editor.exe"
[[ -f "$probe" && -f "$editor" ]] || { echo "run scripts/windows.sh first" >&2; exit 1; }
[[ -f "$cache/wine-prefix/system.reg" ]] || { echo "no Wine prefix; run scripts/windows.sh" >&2; exit 1; }
qt_dir="$("$root/scripts/build-qt-windows.sh" | tail -n1)"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
out="$root/screenshots"
mkdir -p "$out"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$build/wine-shots"
rm -rf "$WINEPREFIX"
cp -a "$cache/wine-prefix" "$WINEPREFIX"
WINEPATH="$(windows_path "$qt_dir/bin")"
for dir in /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib; do
  WINEPATH+=";$(windows_path "$dir")"
done
export WINEPATH
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$build/shots-display" 2>/dev/null &
xvfb_pid=$!
trap 'timeout 10 "$wineserver" -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -s "$build/shots-display" ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$build/shots-display")"
timeout 10 "$wineserver" -p

timeout 300 "$wine" "$probe" -platform windows:fontengine=directwrite "$(windows_path "$out")" |
  tr -d '\r' | sed 's|^Z:||; s|\\|/|g'

timeout 120 "$wine" "$editor" --demo &
editor_pid=$!
for _ in $(seq 600); do
  xwininfo -root -tree 2>/dev/null | grep -q Kelvorin_Parameter_Editor && break
  sleep 0.1
done
sleep 3
import -window root -trim +repage "$out/windows-demo.png"
kill "$editor_pid" 2>/dev/null || true
echo "$out/windows-demo.png"
