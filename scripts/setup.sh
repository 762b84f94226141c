#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
# setup.sh [PACKAGE...] also installs the packages named (e.g. the fuzzing compiler).
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev libpng-dev libx11-dev tcl lua5.4 xvfb xauth xterm python3
          python3-scipy
          desktop-file-utils dbus-daemon gnome-terminal mate-terminal xfce4-terminal
          xdotool openbox dpkg-dev file "$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
