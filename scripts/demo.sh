#!/usr/bin/env bash
# demo.sh BIN-FOLDER — shows the bundled demo parameter file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$1"
demo="$root/examples/demo.tesprm"
cd "$root/examples"
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
