#!/usr/bin/env bash
# Makes InfoBackground.jpg, the mosaic behind the "Info" box (422 x 281):
# a soft colour field cut into square tiles with light joints.
set -euo pipefail
cd "$(dirname "$0")"
draw=""
for x in $(seq 0 11 422); do draw="$draw line $x,0 $x,281"; done
for y in $(seq 0 11 281); do draw="$draw line 0,$y 422,$y"; done
convert -seed 16 -size 422x281 plasma:'#2f5d8a'-'#e0b050' -blur 0x12 -modulate 105,90 \
  -sample 39x26\! -scale 429x286\! -crop 422x281+0+0 +repage \
  -stroke 'rgba(255,255,255,0.45)' -draw "$draw" -quality 82 InfoBackground.jpg
