#!/usr/bin/env bash
# Cross-builds the Windows programs with Debian's mingw-w64 and tests them
# under Wine: Qt for Windows from Debian's source (scripts/build-qt-windows.sh,
# cached), the core, tracker-cli.exe, tracker-editor.exe and their tests
# (build-windows), run by CTest through Wine: the Win32 serial component,
# tracker-cli.exe and the window against the Linux build's tracker-sim, the
# window's offscreen tests. Then packs tracker-cli-<version>-windows-x64.zip,
# the portable tracker-editor-<version>-windows-x64.zip and the installer
# tracker-editor-<version>-setup.exe, installs and uninstalls it silently
# under Wine and starts the installed editor's demo in Xvfb. Caches (Qt and
# SQLite built for Windows, the Wine prefix template) live in
# ~/.cache/tracker-editor, outside the checkout. BUILD_DIR (the Linux build,
# default build) and WIN_BUILD_DIR (default build-windows) may be set.
set -euo pipefail
cd "$(dirname "$0")/.."

root="$PWD"
linux_build="$(realpath -m "${BUILD_DIR:-build}")"
win_build="$(realpath -m "${WIN_BUILD_DIR:-build-windows}")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tracker-editor"
version="$(sed -n 's/^project(TrackerEditor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
wine_loader=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
sqlite_dir=""
qt_dir=""
mingw_dlls=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

step() { printf '== %s (%ds)\n' "$1" "$SECONDS"; }

install_deps() {
  scripts/install-deps.sh --windows
}

# SQLite for Windows, from Debian's own source package: the amalgamation is
# made on this machine, then compiled with mingw into a static library.
build_sqlite() {
  local src_root="$cache/sqlite-src"
  if [[ ! -d "$src_root" ]] || ! ls -d "$src_root"/sqlite3-*/ >/dev/null 2>&1; then
    scripts/debian-source.sh sqlite3 "$src_root" >/dev/null
  fi
  local src
  src="$(ls -d "$src_root"/sqlite3-*/ | head -n1)"
  local sqlite_version
  sqlite_version="$(basename "$src" | sed 's/^sqlite3-//')"
  sqlite_dir="$cache/sqlite-$sqlite_version-mingw64"
  [[ -f "$sqlite_dir/lib/libsqlite3.a" ]] && return 0
  step "SQLite $sqlite_version for Windows"
  local work
  work="$(mktemp -d)"
  (cd "$work" && "$src/configure" >/dev/null && make sqlite3.c >/dev/null)
  mkdir -p "$sqlite_dir/include" "$sqlite_dir/lib"
  x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$work/sqlite3.c" -o "$work/sqlite3.o"
  x86_64-w64-mingw32-ar rcs "$sqlite_dir/lib/libsqlite3.a" "$work/sqlite3.o"
  cp "$work/sqlite3.h" "$sqlite_dir/include/"
  rm -rf "$work"
}

build_qt() {
  qt_dir="$(scripts/build-qt-windows.sh | tail -n1)"
}

# The Linux side of the tests: the simulator, tracker-cli to compare with, and
# the modem-ioctl shim that Wine needs on a pseudo-terminal.
build_linux_tools() {
  if [[ ! -f "$linux_build/build.ninja" ]]; then
    BUILD_DIR="$linux_build" scripts/build.sh >/dev/null
  fi
  cmake --build "$linux_build" --target tracker-sim tracker-cli >/dev/null
  mkdir -p "$win_build/host"
  cc -shared -fPIC -O2 -Wall -Werror -o "$win_build/host/modem_ioctl_shim.so" \
    tests/serial/win32/modem_ioctl_shim.c -ldl
}

# -O1: the programs wait on the serial line, not on the CPU, and the
# cross-build takes far less time than at -O2/-O3.
configure_windows() {
  local launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  fi
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DTRACKER_WERROR=ON -DBUILD_TESTING=ON \
    -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DTRACKER_GTEST_SOURCE=/usr/src/googletest \
    -DTRACKER_QT=ON -DCMAKE_PREFIX_PATH="$sqlite_dir;$qt_dir" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DSQLite3_INCLUDE_DIR="$sqlite_dir/include" \
    -DSQLite3_LIBRARY="$sqlite_dir/lib/libsqlite3.a" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh" \
    -DTRACKER_LINUX_TOOLS="$linux_build/bin" \
    -DTRACKER_MODEM_SHIM="$win_build/host/modem_ioctl_shim.so" \
    "${launcher[@]}" >/dev/null
}

build_cli() {
  cmake --build "$win_build" -- -j"$(nproc)"
}

# A fresh prefix for this run, copied from a template that `wineboot -i` made
# once (under Xvfb, into a folder that did not exist: anything else can leave
# it spinning), and one wineserver kept running for the whole run.
start_wine() {
  local template="$cache/wine-prefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f "$template/system.reg" ]]; then
    step "Wine prefix template"
    rm -rf "$template"
    WINEPREFIX="$template" timeout 300 xvfb-run -a sh -c \
      "'$wine_loader' wineboot -i && '$wineserver' -w"
  fi
  export WINEPREFIX="$win_build/wine-prefix"
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
  # The Qt programs find Qt's DLLs and the GCC runtime on WINEPATH, and Qt its
  # plugins beside its DLLs.
  WINEPATH="$(windows_path "$qt_dir/bin")"
  for dir in "${mingw_dlls[@]}"; do WINEPATH+=";$(windows_path "$dir")"; done
  export WINEPATH
  timeout 10 "$wineserver" -p
  trap stop_wine EXIT
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$win_build/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [[ -s "$win_build/display" ]] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$win_build/display")"
  # Wine's own services start with the first program and outlive it; started
  # here, they do not hold the output pipes of the first test open.
  timeout 120 "$wine_loader" cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
  timeout 10 "$wineserver" -k 2>/dev/null || true
  kill "${xvfb_pid:-}" 2>/dev/null || true
}

# A Linux path as Wine sees it (drive Z: is /).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

test_cli() {
  ctest --test-dir "$win_build" --output-on-failure -j"$(nproc)" --timeout 300
}

# The program, LICENSE and a short README; the runtime is linked in.
pack_cli() {
  local name="tracker-cli-$version-windows-x64"
  local stage="$win_build/package/$name"
  rm -rf "$stage" "$win_build/$name.zip"
  mkdir -p "$stage"
  cp "$win_build/bin/tracker-cli.exe" "$stage/"
  x86_64-w64-mingw32-strip "$stage/tracker-cli.exe"
  cp LICENSE "$stage/LICENSE.txt"
  sed "s/@VERSION@/$version/" packaging/windows/README.txt | sed 's/$/\r/' >"$stage/README.txt"
  (cd "$win_build/package" && cmake -E tar cf "../$name.zip" --format=zip "$name")
  echo "$win_build/$name.zip: $(stat -c %s "$win_build/$name.zip") bytes"
}

source "$root/scripts/windows-package.sh"

main() {
  step "Debian packages"
  install_deps
  build_sqlite
  step "Qt for Windows"
  build_qt
  step "Linux tools"
  build_linux_tools
  step "configure"
  configure_windows
  step "build"
  build_cli
  step "Wine"
  start_wine
  step "tests under Wine"
  test_cli
  step "zip"
  pack_cli
  step "editor zip"
  pack_editor
  step "installer"
  make_installer
  step "installer under Wine"
  test_installer
  step "done"
}

main "$@"
