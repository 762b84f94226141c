#!/usr/bin/env bash
# build.sh release|asan — configures and builds into build/<kind>.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:-release}"
case "$kind" in
  release) flags=(-DCMAKE_BUILD_TYPE=Release -DTESSARIN_SANITIZE=OFF -DTESSARIN_BUILD_TESTS=OFF) ;;
  asan)    flags=(-DCMAKE_BUILD_TYPE=Debug -DTESSARIN_SANITIZE=ON -DTESSARIN_BUILD_BENCH=OFF) ;;
  *) echo "usage: build.sh release|asan" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$kind" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$root/build/$kind"
