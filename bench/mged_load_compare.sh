#!/usr/bin/env bash
# mged_load_compare.sh BUILD-FOLDER [SIZE_MB] — how long the real MGED takes
# to load what Tessarin writes, in the same run:
#  1. the readable and the fast RT script of the 4999-cell lattice
#     (bench/lattice_model.h), and whether g2asc dumps of the two databases
#     hold the same lines;
#  2. the track drawings of a generated track data file of SIZE_MB (default
#     100) at the set's default allowance (10^6 vertices), as vdraw curves
#     (the readable form) and as overlaid plot files (the fast form).
# MGED is BRL-CAD's, unpacked in BUILD-FOLDER/brlcad by the build. Scripts are
# fed to it on standard input as the tests do, without the lines that need a
# display. READABLE_TIMEOUT (seconds, default 1200) bounds the readable
# lattice script. Everything under /tmp is removed afterwards.
set -euo pipefail
build="$(cd "$1" && pwd)"
size="${2:-100}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$(ls -d "$build"/brlcad/brlcad-*/bin | head -1)"
cli="$build/bin/tessarin-cli"
work="$(mktemp -d /tmp/mged_load_compare.XXXXXX)"
trap 'rm -rf "$work"' EXIT

load() { uptime | sed 's/.*load average: /load /'; }
headless() {
  grep -v -E '^(catch \{exec fbfree|exec fbserv|catch \{exec sleep|set width_height|set width |set height |set ratio |rt )' "$1" |
    grep -v -E '^after .* rt ' || true
}
mged_time() {  # SCRIPT LIMIT: seconds MGED takes for the script, or "over LIMIT s"
  if timeout "$2" "$bin/mged" -c < "$1" > "$1.log" 2>&1; then return 0; else return 1; fi
}
timed_mged() {
  local start end
  start=$(date +%s.%N)
  if mged_time "$1" "$2"; then end=$(date +%s.%N); echo "$end - $start" | bc; else echo "over $2"; fi
}

# 1. The lattice.
"$build/bench/bench_lattice_input" "$work/lattice.inp"
sed -e 's|^InputFN = demo_lattice.inp|InputFN = lattice.inp|' -e '0,/^viewSize = /s|^viewSize = .*|viewSize = 60|' \
    -e '0,/^showTracks = /s|^showTracks = .*|showTracks = 0|' "$root/examples/demo.tesprm" > "$work/lattice.tesprm"
for form in readable fast; do
  (cd "$work" && "$cli" rt lattice.tesprm --set 1 --yes --form "$form" > /dev/null 2> "$form.err")
  headless "$work/lattice.rt" > "$work/$form.rt"
done
echo "lattice: $(grep -c '^in ' "$work/readable.rt") in, $(grep -c '^comb ' "$work/readable.rt") comb, $(grep -c '^r ' "$work/readable.rt") r lines; readable $(wc -c < "$work/readable.rt") bytes, fast $(wc -c < "$work/fast.rt") bytes"
fast=$(timed_mged "$work/fast.rt" 300)
"$bin/g2asc" "$work/lattice.g" "$work/fast.asc" > /dev/null 2>&1
echo "fast lattice script:     $fast s ($(load))"
readable=$(timed_mged "$work/readable.rt" "${READABLE_TIMEOUT:-1200}")
echo "readable lattice script: $readable s ($(load))"
if [[ "$readable" != over* ]]; then
  "$bin/g2asc" "$work/lattice.g" "$work/readable.asc" > /dev/null 2>&1
  echo "readable / fast: $(echo "scale=1; $readable / $fast" | bc)"
  if cmp -s <(sort "$work/readable.asc") <(sort "$work/fast.asc"); then
    echo "g2asc dumps: the same lines"
  else
    echo "g2asc dumps differ in $(diff <(sort "$work/readable.asc") <(sort "$work/fast.asc") | grep -c '^[<>]') lines (numbers may differ in their last digits; the end-to-end test compares them within 1e-12)"
  fi
fi

# 2. The track drawings.
"$build/bin/track_generator" "$size" "$work/tracks.txt" > /dev/null
sed -e "s|^useCustomTrackFN = .*|useCustomTrackFN = 1\nTrackFN = $work/tracks.txt|" \
    -e 's|^keepTrackDataInMemory = .*|keepTrackDataInMemory = 0|' \
    "$root/examples/demo.tesprm" > "$work/tracks.tesprm"
for form in readable fast; do
  mkdir -p "$work/$form"
  "$cli" tracks draw "$work/tracks.tesprm" --set 1 --base "$work/$form/drawn" --form "$form" > "$work/$form.out" 2> /dev/null
  { echo "opendb \"$work/$form/tracks.g\" y"; for file in "$work/$form"/drawn_tracks*.rt; do echo "source \"$file\""; done; } \
    > "$work/$form/load.rt"
done
points=$(cat "$work"/readable/drawn_tracks*.rt | grep -c '^[01] ')
echo "tracks: $(ls -l "$work/tracks.txt" | awk '{print $5}') bytes of track data, $(tail -1 "$work/readable.out"), $points vertices drawn in $(cat "$work"/readable/drawn_tracks*.rt | grep -c '^vdraw open') curves"
echo "track drawings, readable (vdraw curves):   $(timed_mged "$work/readable/load.rt" 600) s ($(load))"
echo "track drawings, fast (plot file overlays): $(timed_mged "$work/fast/load.rt" 600) s ($(load))"
