#!/bin/sh
# Side-by-side timing of tessaro-cli apply against ImageMagick's convert and
# vips on the same uncompressed input (a 4000 x 3000 24-bit PPM of noise),
# each writing an uncompressed result. Prints the best of a few runs in
# milliseconds and the ratios (other tool / tessaro; above 1 means tessaro
# is faster).
#
# Usage: bench/compare_ops.sh [path/to/tessaro-cli] [runs]
# The tools run with their default threading; set MAGICK_THREAD_LIMIT=1 and
# VIPS_CONCURRENCY=1 to compare single-threaded.
set -eu

CLI=${1:-$(dirname "$0")/../build/tessaro-cli}
RUNS=${2:-3}
CONVERT=/usr/bin/convert # the real ImageMagick; never a plain "convert" from PATH
VIPS=/usr/bin/vips
W=4000
H=3000

for tool in "$CLI" "$CONVERT" "$VIPS"; do
  if [ ! -x "$tool" ]; then
    echo "missing: $tool" >&2
    exit 1
  fi
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tessaro-compare-XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM
IN="$WORK/in.ppm"
"$CONVERT" -size ${W}x${H} xc:gray +noise Random -depth 8 "$IN"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# best_of COMMAND...: prints the fastest wall time of $RUNS runs in ms.
best_of() {
  best=
  i=0
  while [ $i -lt "$RUNS" ]; do
    t0=$(now_ms)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; echo "-"; return; }
    t1=$(now_ms)
    t=$((t1 - t0))
    if [ -z "$best" ] || [ $t -lt "$best" ]; then best=$t; fi
    i=$((i + 1))
  done
  echo "$best"
}

ratio() {
  if [ "$1" = "-" ] || [ "$2" = "-" ]; then echo "-"; else awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; fi
}

# The blur of radius 5 is a triangle kernel of 11 taps (standard deviation
# about 2.4); the other tools get a Gaussian of that deviation.
printf "%-22s %10s %10s %10s %8s %8s\n" operation tessaro convert vips conv/tes vips/tes
row() {
  name=$1
  top=$2
  conv=$3
  vop=$4
  t=$(best_of "$CLI" apply "$IN" "$WORK/t.bmp" "$top")
  # shellcheck disable=SC2086
  c=$(best_of "$CONVERT" "$IN" $conv "BMP3:$WORK/c.bmp")
  if [ -n "$vop" ]; then
    # shellcheck disable=SC2086
    v=$(best_of "$VIPS" $(echo "$vop" | sed "s|IN|$IN|; s|OUT|$WORK/v.ppm|"))
  else
    v=-
  fi
  printf "%-22s %10s %10s %10s %8s %8s\n" "$name" "$t" "$c" "$v" "$(ratio "$c" "$t")" "$(ratio "$v" "$t")"
}

row "read+write only" "PixelFormat(pf24bit)" "" "copy IN OUT"
row invert "InvertBitmap" "-negate" "invert IN OUT"
row greyscale "GrayScaleBitmap(7)" "-colorspace Gray -type TrueColor" "colourspace IN OUT b-w"
row "flip horizontal" "FlipHorizontal" "-flop" "flip IN OUT horizontal"
row "rotate 90" "Rotate90" "-rotate 90" "rot IN OUT d90"
row "resize 50% bilinear" "ResizeBitmap(sftLinear,#FFFFFF,50,50)" "-filter Triangle -resize 50%" \
  "resize IN OUT 0.5 --kernel linear"
row "free rotation 30" "RotateBitmap(true,#FFFFFF,30,-1,-1)" "-background white -rotate -30" "rotate IN OUT 30"
row "blur radius 5" "BlurBitmap(5)" "-blur 0x2.4" "gaussblur IN OUT 2.4"
