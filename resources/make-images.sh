#!/bin/sh
# Draws the effect's three images into this folder: the 99 x 99 logo and the
# two 100 x 20 indicators. The display draws them over its dark background
# with their alpha, so each keeps a transparent surround. Needs ImageMagick 6
# (/usr/bin/convert) and the Liberation fonts; run it again after a change
# and commit the images with it.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
# 8-bit RGBA without ancillary chunks, so every decoder reads the same pixels.
png_out="-strip -define png:color-type=6 -depth 8"

# Logo: a teal ring around a diamond and a cross (a stereo scope's outline),
# each drawn once blurred as a glow and once sharp on top of it.
logo_shapes="circle 49,49 49,12
polygon 49,22 76,49 49,76 22,49
line 49,28 49,70
line 28,49 70,49"
$convert -size 99x99 xc:none \
  \( -size 99x99 xc:none -fill none -stroke '#12c4b4' -strokewidth 7 -draw "$logo_shapes" -blur 0x5 \) \
  -composite \
  \( -size 99x99 xc:none -fill none -stroke '#5ff5e6' -strokewidth 2 -draw "$logo_shapes" \
     -fill '#c8fff9' -stroke none -draw "circle 49,49 49,44" \) \
  -composite \
  $png_out "$here/TOLVARINE_LogoTealGlow_SkaldoVerix.png"

# Indicator: a rounded plate of the fill colour with a rim and a centred word.
indicator() { # word fill rim text file
  $convert -size 100x20 xc:none \
    -fill "$2" -stroke "$3" -strokewidth 1 -draw "roundrectangle 0.5,0.5 99.5,19.5 5,5" \
    -font "$font" -pointsize 11 -fill "$4" -stroke none -gravity center -annotate +0+0 "$1" \
    $png_out "$here/$5"
}
# Shown while AutoWidth is on: a dim teal plate.
indicator WORKING '#0b3f3acc' '#1f8f85' '#6fd3c7' Working_ON_dim.png
# Shown while the output clips: a bright red plate.
indicator CLIPPING '#b3121fe6' '#ff6060' '#fff0f0' Clipping_ON.png
