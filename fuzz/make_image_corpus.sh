#!/bin/sh
# Remakes the image fuzzer's seed corpus with ImageMagick: small BMPs, PNGs and GIFs of our own pixels, each
# behind the byte that makes image_fuzzer pick its decoder (0 bmp, 1 png, 2 gif).
set -eu
out=$(dirname "$0")/image_corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
seed() { # SELECTOR NAME: the file made in $work/NAME, behind its selector byte
    { printf "\\$1"; cat "$work/$2"; } >"$out/$2"
}
convert -size 16x8 pattern:checkerboard -monochrome -compress none BMP3:"$work/bits1.bmp"
convert -size 24x6 gradient:red-blue +dither -colors 16 -compress none BMP3:"$work/bits4.bmp"
convert -seed 7 -size 20x14 xc: +noise Random +dither -colors 200 -compress none BMP3:"$work/bits8.bmp"
convert -size 20x7 gradient:yellow-navy +dither -colors 40 -compress RLE BMP3:"$work/rle8.bmp"
convert -size 13x5 gradient:lime-maroon -type TrueColor -compress none BMP3:"$work/bits24.bmp"
convert -size 9x4 gradient:red-none -define bmp3:alpha=true -compress none BMP3:"$work/bits32.bmp"
convert -size 9x4 gradient:red-none BMP:"$work/v5header.bmp"
for name in bits1 bits4 bits8 rle8 bits24 bits32 v5header; do seed 0 "$name.bmp"; done
convert -size 12x12 xc:none -fill magenta -draw 'circle 6,6 6,2' +dither -colors 8 PNG8:"$work/paletted.png"
convert -size 14x6 gradient:orange-teal PNG24:"$work/rgb.png"
convert -size 10x10 radial-gradient:blue-none PNG32:"$work/rgba.png"
convert -size 16x4 gradient:black-white -colorspace Gray -depth 4 PNG:"$work/grey.png"
convert -size 12x9 gradient:red-green -interlace PNG PNG24:"$work/interlaced.png"
for name in paletted rgb rgba grey interlaced; do seed 1 "$name.png"; done
convert -loop 0 -delay 10 \( -size 8x8 pattern:checkerboard -colors 2 \) \
    \( -size 8x8 xc:none -fill red -draw 'rectangle 2,2 5,5' \) "$work/frames.gif"
convert -size 10x6 gradient: +dither -colors 8 GIF87:"$work/gif87a.gif"
for name in frames gif87a; do seed 2 "$name.gif"; done
