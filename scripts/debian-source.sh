#!/usr/bin/env bash
# Fetches the source package PACKAGE (optionally =VERSION) from the Debian
# archive this machine already uses, into DIR, through a temporary deb-src
# configuration: the machine's own apt set-up is left as it is, apt checks the
# checksums, nothing comes from outside the archive.
# Usage: scripts/debian-source.sh PACKAGE[=VERSION] DIR
set -euo pipefail
package="$1"
dest="$2"
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"
apt_dir="$dest/.apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"

# The deb entries of the machine's sources, as deb-src entries.
shopt -s nullglob
for f in /etc/apt/sources.list.d/*.sources; do
  sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/sources/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [[ -f "$f" ]] || continue
  sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >"$apt_dir/sources/$(basename "$f" .list)-src.list"
done

apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists")
apt-get "${apt_opts[@]}" update -qq 2>"$apt_dir/update.log" || {
  cat "$apt_dir/update.log" >&2
  exit 1
}
(cd "$dest" && apt-get "${apt_opts[@]}" source --download-only -qq "$package" 2>&1 | grep -v "unsandboxed" >&2 || true)
(cd "$dest" && for dsc in *.dsc; do dpkg-source -x "$dsc" >/dev/null; done)
ls -d "$dest"/*/ | grep -v '/.apt/$'
