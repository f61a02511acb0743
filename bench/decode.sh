#!/usr/bin/env bash
# Decoding speed of the audio library next to `fluidsynth -ni -F` on the same
# song and SoundFont. Usage: bench/decode.sh [build-dir] [audio_bench options]
# The fluidsynth program comes from the Debian package "fluidsynth"; it is a
# yardstick here, not a dependency of the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BUILD_DIR:-$root/build}}
shift || true
if ! command -v fluidsynth >/dev/null; then
  echo "fluidsynth is not installed (apt-get install fluidsynth)" >&2
  exit 1
fi
cmake --build "$build" --target audio_bench -j2 >/dev/null
"$build/bin/audio_bench" --runs 3 "$@"
