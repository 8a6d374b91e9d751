#!/bin/sh
# Remakes the fuzzer's seed corpus with ImageMagick: small GIFs covering the format's features.
set -eu
out=$(dirname "$0")/corpus
mkdir -p "$out"
convert -size 8x8 pattern:checkerboard -colors 2 "$out/checkerboard.gif"
convert -size 24x16 gradient:red-blue +dither -colors 16 -interlace GIF "$out/interlaced.gif"
convert -size 10x6 gradient: +dither -colors 8 GIF87:"$out/gif87a.gif"
convert -size 70x70 xc: +noise Random +dither -colors 256 "$out/noise.gif"
convert -comment "seed" -size 6x4 xc:yellow "$out/comment.gif"
convert -loop 0 -delay 10 -dispose Previous \
    \( -size 12x12 xc:none -fill red -draw 'circle 6,6 6,2' \) \
    \( -size 12x12 xc:none -fill blue -draw 'rectangle 2,2 8,8' \) \
    -dispose Background \( -size 12x12 xc:none -fill lime -draw 'rectangle 0,8 11,11' \) "$out/disposals.gif"
convert -loop 3 -delay 5 \( -size 9x9 gradient:red-yellow +dither -colors 4 \) \
    \( -size 9x9 gradient:blue-cyan +dither -colors 8 \) "$out/looping.gif"
