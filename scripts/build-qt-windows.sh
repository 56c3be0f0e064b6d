#!/usr/bin/env bash
# Cross-builds qtbase for Windows (x86_64-w64-mingw32) from Debian's own
# qt6-base source package, of the same version as the host Qt whose tools
# (moc, rcc, uic) it uses, and installs it into a cache keyed on the Qt
# version, the configuration, the toolchain file and the mingw version.
# Re-running continues an interrupted build; a finished cache is reused.
# Prints the installed folder on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tracker-editor"
jobs="${QT_BUILD_JOBS:-2}"

host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"  # e.g. 6.4.2+dfsg-10
qt_version="${host_version%%+*}"
toolchain="$root/cmake/toolchain-mingw64.cmake"

# What the editor needs is Core, Gui, Widgets (with every widget feature left
# at its default: file dialogs, undo stack, dock widgets, completers ...) and
# Test for its window tests. Off: what it does not use, and what does not build
# from Debian's tarball (wintab, hence tablet events) or for mingw here.
# FEATURE_opengl, FEATURE_direct2d and FEATURE_freetype stay at their
# defaults: turning each off breaks the Windows plugin or loses the offscreen
# one.
config=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_pkg_config=OFF
  -DFEATURE_testlib=ON
)
key="$({
  echo "$qt_version"
  printf '%s\n' "${config[@]}"
  cat "$toolchain"
  x86_64-w64-mingw32-g++-posix --version | head -n1
  dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix
} | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw64-$key"
work="$cache/qt-$qt_version-mingw64-$key.build"

if [[ -f "$prefix/.complete" ]]; then
  echo "$prefix"
  exit 0
fi

src_root="$cache/qt6-base-src-$qt_version"
if ! ls -d "$src_root"/qt6-base-*/CMakeLists.txt >/dev/null 2>&1; then
  rm -rf "$src_root"
  scripts/debian-source.sh "qt6-base=$host_version" "$src_root" >/dev/null
fi
src="$(dirname "$(ls "$src_root"/qt6-base-*/CMakeLists.txt | head -n1)")"

if [[ ! -f "$work/build.ninja" ]]; then
  mkdir -p "$work"
  cmake -S "$src" -B "$work" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${config[@]}" >"$work/configure.log" 2>&1 || {
    tail -n 40 "$work/configure.log" >&2
    rm -f "$work/build.ninja"
    exit 1
  }
fi
cmake --build "$work" -- -j"$jobs"
cmake --install "$work" >/dev/null
touch "$prefix/.complete"
# The build folder (~860 MB) is only needed to resume.
rm -rf "$work"
echo "$prefix"
