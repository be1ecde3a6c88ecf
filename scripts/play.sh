#!/usr/bin/env bash
# Sets up, builds and starts Rollavex from the folder that holds its archive and textures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
run_dir="${RVX_BUILD_DIR:-build}/run"
if [ ! -x "$run_dir/rollavex" ]; then
  echo "The game is not built yet: $run_dir/rollavex is missing."
  exit 0
fi
cd "$run_dir" && exec ./rollavex
