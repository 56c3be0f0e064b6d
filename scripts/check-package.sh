#!/usr/bin/env bash
# Builds the Debian package and checks it as an installer would see it: its
# contents, the desktop entry, the AppStream metainfo, lintian, and the
# programs and the bash completion run from the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."

deb="$(scripts/package.sh)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT

fail() { echo "check-package: $*" >&2; exit 1; }

listing="$(dpkg-deb -c "$deb")"
for path in usr/bin/tracker-editor usr/bin/tracker-cli usr/bin/tracker-sim \
    usr/share/applications/example.kelvorin.TrackerEditor.desktop \
    usr/share/metainfo/example.kelvorin.TrackerEditor.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/tracker-editor.svg \
    usr/share/icons/hicolor/48x48/apps/tracker-editor.png \
    usr/share/man/man1/tracker-editor.1.gz usr/share/man/man1/tracker-cli.1.gz \
    usr/share/man/man1/tracker-sim.1.gz usr/share/bash-completion/completions/tracker-cli \
    usr/share/doc/tracker-editor/README.md usr/share/doc/tracker-editor/copyright; do
  grep -q " \./$path\$" <<<"$listing" || fail "$path is not in $deb"
done
echo "package: $(basename "$deb"), $(wc -l <<<"$listing") entries, $(stat -c %s "$deb") bytes"

dpkg -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
lintian --fail-on error "$deb" 2>/dev/null
echo "validators: desktop-file-validate, appstreamcli, lintian passed"

for program in tracker-editor tracker-cli tracker-sim; do
  version="$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" --version)"
  [[ "$version" == "$program "[0-9]* ]] || fail "$program --version printed '$version'"
  echo "$version"
done

# The completion offers commands, groups and options from the unpacked program.
completions() {
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1/usr/share/bash-completion/completions/tracker-cli"
    shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _tracker_cli tracker-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "${COMPREPLY[*]}"' _ "$root" "$@"
}
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  cli="$root/usr/bin/tracker-cli"
  [[ "$(completions "$cli" clear-g)" == "clear-gprs1 clear-gprs2 clear-gps-log" ]] ||
    fail "completion of 'clear-g': $(completions "$cli" clear-g)"
  [[ "$(completions "$cli" --port ttyUSB0 write --in f.ini gprs e)" == "event" ]] ||
    fail "completion of a group: $(completions "$cli" --port ttyUSB0 write --in f.ini gprs e)"
  [[ "$(completions "$cli" --vers)" == "--version" ]] || fail "completion of --vers: $(completions "$cli" --vers)"
  [[ "$(completions "$cli" --history h.sqlite hist)" == "history" ]] ||
    fail "completion of 'hist': $(completions "$cli" --history h.sqlite hist)"
  [[ "$(completions "$cli" history s)" == "show" ]] || fail "completion of 'history s'"
  echo "bash completion: commands, groups and options complete"
fi
