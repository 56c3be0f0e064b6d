# The Windows editor's packages and their check under Wine; sourced by
# scripts/windows.sh (its variables: root, win_build, version, qt_dir,
# mingw_dlls, wine_loader, WINEPREFIX, DISPLAY).
# shellcheck shell=bash

editor_name() { printf 'tracker-editor-%s-windows-x64' "$version"; }

# The DLLs a program or DLL imports that come from Qt or the GCC runtime
# (everything else is Windows' own).
imported_dlls() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | while read -r dll; do
    for dir in "$qt_dir/bin" "${mingw_dlls[@]}"; do
      if [[ -f "$dir/$dll" ]]; then
        printf '%s\n' "$dir/$dll"
        break
      fi
    done
  done
}

# Copies every DLL the files in the stage import, and theirs, once.
copy_imported_dlls() {
  local stage="$1" more=1
  while [[ $more == 1 ]]; do
    more=0
    while read -r dll; do
      [[ -f "$stage/$(basename "$dll")" ]] && continue
      cp "$dll" "$stage/"
      more=1
    done < <(find "$stage" -name '*.exe' -o -name '*.dll' | while read -r f; do imported_dlls "$f"; done | sort -u)
  done
}

# Qt's LGPL asks that the user can tell which Qt is inside and get its source
# and licence; the libraries bundled into Qt and the GCC runtime bring theirs.
third_party_notices() {
  local src
  src="$(dirname "$(ls "$cache"/qt6-base-src-*/qt6-base-*/CMakeLists.txt | head -n1)")"
  sed "s/@QT_VERSION@/$(basename "$qt_dir" | cut -d- -f2)/" packaging/windows/third-party-notices.txt
  for lib in freetype harfbuzz-ng libpng pcre2 md4c double-conversion zlib easing sha3 rfc6234 blake2 md5; do
    for f in "$src/src/3rdparty/$lib"/{LICENSE,LICENCE,COPYING,LICENSE.txt,LICENSE.md,FTL.TXT,docs/FTL.TXT}; do
      [[ -f "$f" ]] || continue
      printf '\n\n==== %s (bundled into Qt): %s ====\n\n' "$lib" "$(basename "$f")"
      cat "$f"
    done
  done
  printf '\n\n==== GNU Lesser General Public License, version 3 (Qt) ====\n\n'
  cat /usr/share/common-licenses/LGPL-3
  printf '\n\n==== GNU General Public License, version 3 (Qt; the GCC runtime) ====\n\n'
  cat /usr/share/common-licenses/GPL-3
  printf '\n\n==== GCC Runtime Library Exception (libgcc, libstdc++) ====\n\n'
  sed -n '/^GCC RUNTIME LIBRARY EXCEPTION/,/requirements of the license of GCC/p' \
    /usr/share/doc/gcc-mingw-w64-base/copyright
  printf '\n\n==== mingw-w64 winpthreads ====\n\n'
  cat /usr/share/doc/mingw-w64-common/copyright
}

# Both programs, qt.conf, the Qt plugins the window needs and exactly the DLLs
# imported, stripped; LICENSE, README and the third-party notices.
pack_editor() {
  local name stage
  name="$(editor_name)"
  stage="$win_build/package/$name"
  rm -rf "$stage" "$win_build/$name.zip"
  mkdir -p "$stage/platforms" "$stage/styles"
  cp "$win_build/bin/tracker-cli.exe" "$win_build/bin/tracker-editor.exe" "$stage/"
  cp "$qt_dir/plugins/platforms/qwindows.dll" "$stage/platforms/"
  cp "$qt_dir/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
  copy_imported_dlls "$stage"
  find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip
  crlf() { sed 's/$/\r/'; }
  crlf <packaging/windows/qt.conf >"$stage/qt.conf"
  crlf <LICENSE >"$stage/LICENSE.txt"
  sed "s/@VERSION@/$version/" packaging/windows/README-editor.txt | crlf >"$stage/README.txt"
  third_party_notices | crlf >"$stage/THIRD-PARTY-NOTICES.txt"
  (cd "$win_build/package" && cmake -E tar cf "../$name.zip" --format=zip "$name")
  echo "$win_build/$name.zip: $(stat -c %s "$win_build/$name.zip") bytes," \
    "$(find "$stage" -type f | wc -l) files"
}

# The uninstaller's list: each installed file, then the folders, deepest first.
uninstall_list() {
  local stage="$1"
  (cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|')
  (cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|')
}

make_installer() {
  local stage out
  stage="$win_build/package/$(editor_name)"
  out="$win_build/tracker-editor-$version-setup.exe"
  uninstall_list "$stage" >"$win_build/package/uninstall-files.nsh"
  makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out" \
    -DFILES="$win_build/package/uninstall-files.nsh" \
    -DICON="$win_build/packaging/tracker-editor.ico" packaging/windows/installer.nsi
  echo "$out: $(stat -c %s "$out") bytes"
}

# Waits up to N tenths of a second for a command to succeed.
wait_for() {
  local tenths="$1"
  shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

window_shown() { xwininfo -root -tree 2>/dev/null | grep -q "Kelvorin_Parameter_Editor"; }

# Silent install; the installed editor's demo shows its window in Xvfb;
# silent uninstall, which leaves the user's settings folder alone.
test_installer() {
  local setup="$win_build/tracker-editor-$version-setup.exe"
  local folder="$WINEPREFIX/drive_c/Program Files/Tracker Editor"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tracker Editor.lnk"
  local settings="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/tracker-editor"
  timeout 300 "$wine_loader" "$setup" /S
  [[ -f "$folder/tracker-editor.exe" && -f "$folder/platforms/qwindows.dll" ]] ||
    { echo "the installer installed no editor" >&2; return 1; }
  [[ -f "$menu" ]] || { echo "no Start-menu entry" >&2; return 1; }

  timeout 120 "$wine_loader" "$folder/tracker-editor.exe" --demo &
  local editor=$!
  if ! wait_for 600 window_shown; then
    kill "$editor" 2>/dev/null || true
    echo "the installed editor showed no window" >&2
    return 1
  fi
  sleep 2
  import -window root "$win_build/installed-editor-demo.png"
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  timeout 10 "$wine_loader" taskkill /f /im tracker-editor.exe >/dev/null 2>&1 || true
  echo "installed editor: window shown ($win_build/installed-editor-demo.png)"

  mkdir -p "$settings"
  echo "kept" >"$settings/Tracker.ini"
  timeout 120 "$wine_loader" "$folder/uninstall.exe" /S
  # The uninstaller runs on from a copy of itself; wait for it to finish.
  wait_for 600 test ! -e "$folder" || { echo "the uninstaller left $folder" >&2; return 1; }
  [[ ! -e "$menu" ]] || { echo "the uninstaller left the Start-menu entry" >&2; return 1; }
  [[ "$(cat "$settings/Tracker.ini")" == kept ]] ||
    { echo "the uninstaller touched the user's settings" >&2; return 1; }
  echo "installer: silent install, Start-menu entry, silent uninstall; user settings kept"
}
