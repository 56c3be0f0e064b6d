# Sourced by the benchmark scripts: the line's pace and the two programs of
# $build, refused when they are not built.
baud=115200
cli="$build/bin/tracker-cli"
sim="$build/bin/tracker-sim"
for binary in "$cli" "$sim"; do
  [[ -x "$binary" ]] || { echo "missing $binary (build tracker-cli and tracker-sim)" >&2; exit 2; }
done
