#!/usr/bin/env bash
# Redraws the pictures from their SVG sources in assets/src/ with Debian's
# rsvg-convert (librsvg2-bin) and ImageMagick:
#   die.png                            32x32, 24-bit colour on white
#   hand.png, pencil.png               32x32, 16 colours, transparent ground
#   hand_16.png, pencil_16.png         16x16, the same
#   lamp_{grey,yellow,red,green}.png   32x32, the same
#   hicolor/<n>x<n>/apps/zolta.png (n = 16, 32, 48, 128), hicolor/scalable/apps/zolta.svg
# The 16 colours are black plus each #rrggbb of the source, without dithering
# (ImageMagick's nearest colour: a lamp may come out a few pixels off the
# committed one), and transparent for pixels less than half covered.
set -euo pipefail
cd "$(dirname "$0")"
palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT

render() { rsvg-convert --width "$2" --height "$2" "src/$1.svg"; }

paletted() { # name size
    local colours
    mapfile -t colours < <({ echo '#000000'; grep -o '#[0-9a-fA-F]\{6\}' "src/$1.svg"; } \
        | tr 'A-F' 'a-f' | awk '!seen[$0]++ { print "xc:" $0 }')
    # and one for the transparent pixels: 16 at most
    if [ ${#colours[@]} -gt 15 ]; then
        echo "src/$1.svg has more than 14 colours besides black" >&2
        exit 1
    fi
    convert "${colours[@]}" xc:none +append "$palette"
    render "$1" "$2" | convert png:- -channel A -threshold 50% +channel +dither \
        -remap "$palette" -strip "$1.png"
}

render die 32 | convert png:- -background white -flatten -alpha off -strip \
    -define png:color-type=2 die.png
for name in hand pencil lamp_grey lamp_yellow lamp_red lamp_green; do
    paletted "$name" 32
done
paletted hand_16 16
paletted pencil_16 16

for size in 16 32 48 128; do
    source=die
    [ "$size" -eq 16 ] && source=die_16
    render "$source" "$size" >"hicolor/${size}x${size}/apps/zolta.png"
done
cp src/die.svg hicolor/scalable/apps/zolta.svg
