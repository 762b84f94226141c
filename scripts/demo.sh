#!/usr/bin/env bash
# demo.sh BIN-FOLDER — shows the bundled demo parameter file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$(cd "$1" && pwd)"
demo="$root/examples/demo.tesprm"
cd "$root/examples"
# The demo sets name the simulator "Varnholt"; the stand-in built beside the
# programs answers to that name.
export PATH="$bin:$PATH"
# The demo set's RT script, written where the set says (next to the input
# file); running the demo again replaces it.
echo "== RT script of the demo set"
echo "(set 1 shows tracks; until the simulator has run, its track data file is missing and the command says so)"
if script="$("$bin/tessarin-cli" rt "$demo" --set 1 --yes)"; then
  echo "Written: $script"
  echo "Load it into MGED with its source command:  source \"$script\""
  echo "(or from a shell: mged -c < \"$script\"; the script opens its own database)"
else
  echo "The RT script could not be made (see the messages above)."
fi
echo
# A slice through the rods, drawn by material as the Geometry view shows it,
# and the search for overlaps and undefined regions.
echo "== Geometry view of the demo set: a slice and the overlap search"
slice="$root/examples/demo_slice.png"
if "$bin/tessarin-cli" plot "$demo" --set 1 --basis xy --origin 0,0,10 --pixels 800x800 -o "$slice" >/dev/null; then
  echo "Slice written: $slice"
else
  echo "The slice could not be drawn (see the messages above)."
fi
# It ends with its own line of what it found; finding something is no failure here.
"$bin/tessarin-cli" overlaps "$demo" --set 1 || [ $? -eq 1 ]
echo
if [ -x "$bin/tessarin" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  exec "$bin/tessarin" "$demo"
fi
echo "== Parameter sets of $demo"
"$bin/tessarin-cli" sets "$demo"
for set in 1 2 3; do
  echo
  echo "== Set $set: derived file names"
  "$bin/tessarin-cli" names "$demo" --set "$set"
  echo "== Set $set: simulator command line"
  "$bin/tessarin-cli" cmdline "$demo" --set "$set"
done
echo
echo "== Geometry of the demo input file, read as the simulator reads it"
"$bin/tessarin-cli" check demo_lattice.inp --params "$demo" --set 1
echo "('tessarin-cli check demo_lattice.inp --dump' shows what was understood)"
echo
echo "== Track data: the stand-in simulator's run of set 1, counted, summarised and exported"
tracks_demo="$(mktemp -d)"
trap 'rm -rf "$tracks_demo"' EXIT
cp "$demo" demo_lattice.inp "$tracks_demo/"
(
  cd "$tracks_demo"
  "$bin/Varnholt" in demo_lattice.inp >/dev/null
  echo "-- tessarin-cli tracks count demo.tesprm --set 1"
  "$bin/tessarin-cli" tracks count demo.tesprm --set 1
  echo "-- tessarin-cli tracks stats demo.tesprm --set 1"
  "$bin/tessarin-cli" tracks stats demo.tesprm --set 1
  echo "-- tessarin-cli tracks stats demo.tesprm --set 1 --json"
  "$bin/tessarin-cli" tracks stats demo.tesprm --set 1 --json
  echo "-- tessarin-cli tracks export demo.tesprm --set 1 -o tracks.vtp (open it in ParaView)"
  "$bin/tessarin-cli" tracks export demo.tesprm --set 1 -o tracks.vtp
  echo "-- tessarin-cli tracks draw demo.tesprm --set 1 --base demo_tracks (one MGED vdraw file per particle type)"
  "$bin/tessarin-cli" tracks draw demo.tesprm --set 1 --base demo_tracks
  echo "-- the start of demo_tracks_tracks0_source.rt"
  head -n 4 demo_tracks_tracks0_source.rt
  echo "-- tessarin-cli rt demo.tesprm --set 1 --yes: the RT script loads the track files written beside it"
  rt_script="$("$bin/tessarin-cli" rt demo.tesprm --set 1 --yes)"
  grep '^source ' "$rt_script"
  echo "-- tessarin-cli render demo.tesprm --set 1: the set's view raytraced with its tracks, without MGED"
  "$bin/tessarin-cli" render demo.tesprm --set 1 -o "$root/examples/demo_3d.png" --size 800x600
)
