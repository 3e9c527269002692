#!/usr/bin/env bash
# Remakes the test images of the image loading tests (committed, so the build
# needs no ImageMagick): one that a "DATA" resource holds and one read from
# its file beside the test program.
set -euo pipefail
cd "$(dirname "$0")"
# png <output> <ImageMagick arguments...>: 8-bit RGBA, no metadata.
png() {
  local output=$1
  shift
  /usr/bin/convert "$@" -strip -define png:color-type=6 -depth 8 "PNG32:$output"
}
# 99 x 99: teal with a yellow 10 x 10 square at the top left.
png resource_99x99.png -size 99x99 xc:'#108080' -fill yellow -draw 'rectangle 0,0 9,9'
# 20 x 10: plain red.
png beside_20x10.png -size 20x10 xc:red
