#!/usr/bin/env bash
# Remakes the test images (committed, so the build needs no ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
# 3 × 2: red, lime, blue over white, black and half-transparent blue.
/usr/bin/convert \( xc:red xc:lime xc:blue +append \) \
  \( xc:white xc:black xc:'rgba(0,0,255,0.5)' +append \) -append -strip PNG32:tiny_3x2.png
# A platform bitmap resource of 4 × 5.
/usr/bin/convert -size 4x5 xc:'#00FF00' -strip BMP3:bitmap_4x5.bmp
printf 'not an image' > not_an_image.bin
