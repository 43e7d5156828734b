#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the application icon (16, 32, 48 and 256 px) and the About picture (48 px) with
# ImageMagick. The PNGs are committed; run this again only to change the pictures.
# Each picture is drawn 8 times larger and scaled down, which gives smooth edges.
set -euo pipefail
cd "$(dirname "$0")"

# The spectrum curve in a 256 x 256 design space: a rising line, a plateau, then a decay
# like (Tg/T)^0.9 down to the right edge.
curve_points() {
  awk -v k="$1" 'BEGIN {
    base = 206; top = 76; start = 148
    printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f", 40*k, start*k, 86*k, top*k, 124*k, top*k
    for (x = 128; x <= 222; x += 4) {
      y = base - (base - top) * ((124 - 36) / (x - 36)) ^ 0.9
      printf " %.1f,%.1f", x*k, y*k
    }
  }'
}

# icon SIZE CURVE_WIDTH AXIS_WIDTH OUTPUT
icon() {
  local size=$1 k=$(( $1 * 8 )) out=$4
  local s; s=$(awk -v k="$k" 'BEGIN { print k / 256 }')
  local cw aw r
  cw=$(awk -v s="$s" -v w="$2" 'BEGIN { print w * s }')
  aw=$(awk -v s="$s" -v w="$3" 'BEGIN { print w * s }')
  r=$(awk -v s="$s" 'BEGIN { print 36 * s }')
  convert -size "${k}x${k}" xc:none \
    -fill '#f3f7fb' -stroke '#6f8fb3' -strokewidth "$(awk -v s="$s" 'BEGIN { print 8 * s }')" \
    -draw "roundrectangle $(awk -v s="$s" 'BEGIN { printf "%.1f,%.1f %.1f,%.1f", 8*s, 8*s, 248*s, 248*s }') $r,$r" \
    -fill none -stroke '#44505c' -strokewidth "$aw" \
    -draw "$(awk -v s="$s" 'BEGIN { printf "line %.1f,%.1f %.1f,%.1f line %.1f,%.1f %.1f,%.1f", 36*s, 40*s, 36*s, 216*s, 36*s, 216*s, 226*s, 216*s }')" \
    -stroke '#c8322a' -strokewidth "$cw" \
    -draw "stroke-linejoin round stroke-linecap round polyline $(curve_points "$s")" \
    -filter Lanczos -resize "${size}x${size}" -strip -depth 8 "PNG32:$out"
}

icon 16 26 16 icons/tremvale-16.png
icon 32 20 12 icons/tremvale-32.png
icon 48 16 10 icons/tremvale-48.png
icon 256 12 7 icons/tremvale-256.png
# The About picture: the same motif, as a 48 x 48 picture of its own.
icon 48 16 10 about.png
