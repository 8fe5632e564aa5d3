#!/bin/sh
# Side-by-side timing of tessaro-cli apply against ImageMagick's convert and
# vips on the same uncompressed input (a 4000 x 3000 24-bit PPM of noise),
# each writing an uncompressed result (tessaro-cli and convert a 24-bit BMP,
# vips a PPM, as it writes no BMP itself), whole process each time. Each
# round runs the three tools one after the other on the same operation (a
# pair of runs for each comparison), the first tool changing from round to
# round; the table shows the median time of each tool in milliseconds and the
# median of the per-round ratios tessaro / other (below 1 means tessaro-cli
# is faster).
#
# To measure (on an otherwise idle machine; the first lines of the output
# record the load, the tools' versions and the cores):
#   cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
#   cmake --build build -j2 --target tessaro-cli
#   bench/compare_ops.sh build/tessaro-cli 9
#
# Usage: bench/compare_ops.sh [path/to/tessaro-cli] [rounds] [tessaro-cli options]
# e.g. bench/compare_ops.sh build/tessaro-cli 9 --threads 1
# The tools run with their default threading (every core); set
# MAGICK_THREAD_LIMIT=1 and VIPS_CONCURRENCY=1 (and --threads 1) to compare
# single-threaded.
set -eu

CLI=${1:-$(dirname "$0")/../build/tessaro-cli}
ROUNDS=${2:-7}
shift $(($# < 2 ? $# : 2))
CLI_OPTIONS="$*"
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

now_ns() { date +%s%N; }

# timed COMMAND...: prints the wall time of one run in ms (3 decimals), or
# "-" when the command failed.
timed() {
  t0=$(now_ns)
  if "$@" >/dev/null 2>&1; then
    t1=$(now_ns)
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) / 1e6 }'
  else
    echo "failed: $*" >&2
    echo "-"
  fi
}

# median: the median of the numbers on standard input ("-" if any is "-").
median() {
  sort -g | awk '$1 == "-" { bad = 1 } { v[NR] = $1 }
    END { if (bad || NR == 0) { print "-"; exit }
          m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'
}

# One untimed run of each tool first, so that the first row does not pay for
# loading the programs and for the input just written.
# shellcheck disable=SC2086
"$CLI" $CLI_OPTIONS apply "$IN" "$WORK/t.bmp" "PixelFormat(pf24bit)" >/dev/null 2>&1 || true
"$CONVERT" "$IN" "BMP3:$WORK/c.bmp" >/dev/null 2>&1 || true
"$VIPS" copy "$IN" "$WORK/v.ppm" >/dev/null 2>&1 || true

echo "load: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc), rounds: $ROUNDS, tessaro-cli options: ${CLI_OPTIONS:-none}"
echo "tools: $("$CONVERT" -version | head -1 | cut -d' ' -f2-3), $("$VIPS" --version)"
printf "%-22s %9s %9s %9s %9s %9s\n" operation tessaro convert vips tes/conv tes/vips
# row NAME TESSARO_OP CONVERT_ARGS VIPS_ARGS
row() {
  name=$1
  top=$2
  conv=$3
  vop=$4
  : >"$WORK/rounds"
  i=0
  while [ $i -lt "$ROUNDS" ]; do
    # Round i starts with tool i mod 3, so that no tool always runs right
    # after the same other one.
    for k in 0 1 2; do
      case $(((i + k) % 3)) in
      0)
        # shellcheck disable=SC2086
        t=$(timed "$CLI" $CLI_OPTIONS apply "$IN" "$WORK/t.bmp" "$top")
        ;;
      1)
        # shellcheck disable=SC2086
        c=$(timed "$CONVERT" "$IN" $conv "BMP3:$WORK/c.bmp")
        ;;
      2)
        # shellcheck disable=SC2046 # the operation's words are the arguments
        v=$(timed "$VIPS" $(echo "$vop" | sed "s|IN|$IN|; s|OUT|$WORK/v.ppm|"))
        ;;
      esac
    done
    echo "$t $c $v" >>"$WORK/rounds"
    i=$((i + 1))
  done
  mt=$(awk '{ print $1 }' "$WORK/rounds" | median)
  mc=$(awk '{ print $2 }' "$WORK/rounds" | median)
  mv=$(awk '{ print $3 }' "$WORK/rounds" | median)
  rc=$(awk '{ print ($1 == "-" || $2 == "-") ? "-" : $1 / $2 }' "$WORK/rounds" | median)
  rv=$(awk '{ print ($1 == "-" || $3 == "-") ? "-" : $1 / $3 }' "$WORK/rounds" | median)
  awk -v n="$name" -v t="$mt" -v c="$mc" -v v="$mv" -v rc="$rc" -v rv="$rv" \
    'function f(x, d) { return x == "-" ? "-" : sprintf("%." d "f", x) }
     BEGIN { printf "%-22s %9s %9s %9s %9s %9s\n", n, f(t, 0), f(c, 0), f(v, 0), f(rc, 2), f(rv, 2) }'
}

# The blur of radius 5 is a triangle kernel of 11 taps, whose standard
# deviation is sqrt(210 / 36), about 2.4; the other tools get a Gaussian of
# that deviation.
row "read+write only" "PixelFormat(pf24bit)" "" "copy IN OUT"
row invert "InvertBitmap" "-negate" "invert IN OUT"
row greyscale "GrayScaleBitmap(7)" "-colorspace Gray -type TrueColor" "colourspace IN OUT b-w"
row "flip horizontal" "FlipHorizontal" "-flop" "flip IN OUT horizontal"
row "rotate 90" "Rotate90" "-rotate 90" "rot IN OUT d90"
row "resize 50% linear" "ResizeBitmap(sftLinear,#FFFFFF,50,50)" "-filter Triangle -resize 50%" \
  "resize IN OUT 0.5 --kernel linear"
row "free rotation 30" "RotateBitmap(true,#FFFFFF,30,-1,-1)" "-background white -rotate -30" "rotate IN OUT 30"
row "blur radius 5" "BlurBitmap(5)" "-blur 0x2.4" "gaussblur IN OUT 2.4"
