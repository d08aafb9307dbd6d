#!/usr/bin/env bash
# Draws the program's images into resources/ with ImageMagick: the banner of the main
# windows and the application icon in three sizes, then what the Windows program builds in
# from them (windows_images). The results are committed; run this again only to change them.
# The hand cursor is a hand-drawn bitmap (resources/hand-cursor.xpm) and is not generated.
#   make-images.sh             everything
#   make-images.sh --windows   only the Windows program's banner.bmp and quillfen.ico, from the
#                              PNGs and the GIF as they are
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$here/resources
fonts=/usr/share/fonts/truetype/liberation
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The emblem: a white quill on a dark blue rounded square, drawn large and scaled down.
emblem() {  # size output
  convert -size 400x400 xc:none \
    -fill '#1f3a68' -draw "roundrectangle 8,8 392,392 70,70" \
    -fill white -draw "path 'M 96,300 C 120,190 210,100 330,66 C 318,170 240,262 120,300 Z'" \
    -fill '#1f3a68' -draw "path 'M 130,280 C 180,220 240,150 300,100 L 306,106 C 246,160 186,228 136,286 Z'" \
    -stroke white -strokewidth 16 -draw "line 70,336 130,276" \
    -resize "$1x$1" "$2"
}

# The Windows program's banner, an uncompressed 8-bit bitmap (LoadBitmap on every Windows),
# and its icon: beside each 32-bit image with an alpha channel, which Windows before XP
# cannot show, a 4-bit one in the 16 colours of a VGA screen and an 8-bit one, both with a
# plain mask. ImageMagick writes a palette image of 16 colours or fewer with 4 bits a pixel.
windows_images() {
  convert "$out/banner.gif" -type Palette -compress none BMP3:"$out/banner.bmp"
  local vga=(000000 800000 008000 808000 000080 800080 008080 c0c0c0
             808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff)
  local colour palette=()
  for colour in "${vga[@]}"; do palette+=("xc:#$colour"); done
  convert "${palette[@]}" +append "$work/vga.png"
  local size images=()
  for size in 16 32 48; do
    local png=$out/quillfen-$size.png
    images+=(\( "$png" -channel A -threshold 50% +channel -dither None -remap "$work/vga.png" \)
             \( "$png" -channel A -threshold 50% +channel -dither None -colors 255 \)
             "$png")
  done
  convert "${images[@]}" "$out/quillfen.ico"
}

if [ "${1:-}" = "--windows" ]; then
  windows_images
  exit 0
fi

for size in 16 32 48; do
  emblem "$size" "$out/quillfen-$size.png"
done

# The banner, 438 x 81. The windows show it in a box 385 pixels wide, so everything that
# matters stays left of x = 380.
emblem 60 "$work/emblem60.png"
convert -size 438x81 xc:white \
  "$work/emblem60.png" -geometry +14+10 -composite \
  -font "$fonts/LiberationSans-Bold.ttf" -fill '#5a7199' -pointsize 13 -kerning 4 \
    -annotate +90+28 'CORVALEN' \
  -font "$fonts/LiberationSans-Bold.ttf" -fill '#1f3a68' -pointsize 40 -kerning 0 \
    -annotate +88+66 'Quillfen' \
  -font "$fonts/LiberationSans-Regular.ttf" -fill '#5a7199' -pointsize 11 \
    -annotate +254+50 'Update inventory finder' \
  -fill '#c9d3e3' -draw 'rectangle 252,56 376,57' \
  +dither -colors 64 "$out/banner.gif"

windows_images
