#!/usr/bin/env bash
# Installs the Debian packages Rollavex needs, only those missing, then configures and builds.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config
  libsdl2-dev libepoxy-dev libopenal-dev libassimp-dev libstb-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev libinih-dev fonts-liberation2
  libgl1-mesa-dri libglx-mesa0 xvfb xdotool imagemagick x11-utils x11-apps zenity
  libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream dpkg-dev file gcovr clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# RVX_SANITIZE=address,undefined builds everything with those sanitizers, in its own folder.
sanitize=${RVX_SANITIZE:-}
build_dir=${RVX_BUILD_DIR:-build${sanitize:+-sanitize}}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRVX_SANITIZE="$sanitize" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
