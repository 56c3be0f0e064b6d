#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev libsqlite3-dev clang-format fonts-dejavu-core
  # the package: icon sizes, and the checks scripts/check-package.sh runs
  librsvg2-bin desktop-file-utils appstream lintian bash-completion
)
if [[ "${1:-}" == "--gui-tools" ]]; then
  packages+=(xvfb xauth imagemagick)
fi
if [[ "${1:-}" == "--fuzz" ]]; then  # scripts/fuzz.sh: clang with libFuzzer; time
  packages+=(clang libclang-rt-14-dev time)
fi
if [[ "${1:-}" == "--windows" ]]; then  # scripts/windows.sh: mingw-w64 and Wine
  # tcl: SQLite's amalgamation is made with tclsh; dpkg-dev: dpkg-source.
  # nsis: the installer; librsvg2-bin, imagemagick: the icon.
  packages+=(g++-mingw-w64-x86-64-posix wine64 xvfb xauth tcl dpkg-dev libgtest-dev
    nsis librsvg2-bin imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
