#!/usr/bin/env bash
# track_draw_compare.sh BUILD-FOLDER [SIZE_MB] — makes a track data file of
# SIZE_MB (default 1000) under /tmp, then times `tessarin-cli tracks count`
# against `tessarin-cli tracks draw` on it (the set's default allowances:
# 10^6 vertices in all, 10^4 per track), and runs bench_track_draw for the
# allowance and Stop checks. Everything under /tmp is removed afterwards.
set -euo pipefail
build="$(cd "$1" && pwd)"
size="${2:-1000}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d /tmp/track_draw_bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
"$build/bin/track_generator" "$size" "$work/tracks.txt"
ls -l "$work/tracks.txt"
# The demo's first set, reading the generated file without keeping a copy.
sed -e "s|^useCustomTrackFN = .*|useCustomTrackFN = 1\nTrackFN = $work/tracks.txt|" \
    -e 's|^keepTrackDataInMemory = .*|keepTrackDataInMemory = 0|' \
    "$root/examples/demo.tesprm" > "$work/bench.tesprm"
grep -q "^TrackFN = $work/tracks.txt" "$work/bench.tesprm" || { echo "TrackFN not set in the parameter file" >&2; exit 1; }
# The fastest of three runs each, alternating: on a shared machine the slow
# runs measure the neighbours.
seconds() { local start end; start=$(date +%s.%N); "$@" > "$work/out.txt"; end=$(date +%s.%N); echo "$end - $start" | bc; }
fastest() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc)" = 1 ]; then echo "$2"; else echo "$1"; fi; }
cli="$build/bin/tessarin-cli"
count="" draw=""
for round in 1 2 3; do
  count=$(fastest "$count" "$(seconds "$cli" tracks count "$work/bench.tesprm" --set 1)")
  tracks="$(cat "$work/out.txt")"
  draw=$(fastest "$draw" "$(seconds "$cli" tracks draw "$work/bench.tesprm" --set 1 --base "$work/drawn" 2>/dev/null)")
done
echo "tessarin-cli tracks count: ${count} s, $tracks tracks"
echo "tessarin-cli tracks draw:  ${draw} s, $(tail -1 "$work/out.txt")"
echo "points in the drawn files: $(cat "$work"/drawn_tracks*.rt | grep -c '^[01] ')"
echo "draw / count: $(echo "scale=3; $draw / $count" | bc)"
"$build/bench/bench_track_draw" "$work/tracks.txt"
