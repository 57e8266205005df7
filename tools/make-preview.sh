#!/usr/bin/env bash
# Makes the preview's still picture: a frame of the renderer itself, rendered
# off screen at 1024 x 768 after eight seconds of scene time, scaled to
# 152 x 112 and stored as a baseline JPEG of the highest quality.
#   tools/make-preview.sh [BUILD_DIR]   (default build/native)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
cmake --build "$build" --target orvelle-frames >/dev/null
frame=$(mktemp --suffix=.ppm)
trap 'rm -f "$frame"' EXIT
"$build/bin/orvelle-frames" 1024 768 20261206 8000 16 "$frame"
convert "$frame" -resize '152x112^' -gravity center -extent 152x112 \
    -strip -interlace none -sampling-factor 1x1 -quality 100 frontend/assets/preview.jpg
identify frontend/assets/preview.jpg
