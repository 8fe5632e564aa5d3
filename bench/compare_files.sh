#!/usr/bin/env bash
# Loads and saves the same 4000 x 3000 photograph with tessaro-cli, with
# ImageMagick (/usr/bin/convert) and with vips, for JPEG (quality 90,
# baseline and progressive), PNG, GIF and BMP, and prints the times, the
# peak memory and the ratios (tessaro time / other time; below 1 is faster).
#
#   bench/compare_files.sh [path/to/tessaro-cli] [runs]
set -u
CLI=${1:-$(dirname "$0")/../build/tessaro-cli}
RUNS=${2:-3}
IM=/usr/bin/convert
VIPS=/usr/bin/vips
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
for tool in "$CLI" "$IM" "$VIPS" /usr/bin/time; do
  [ -x "$tool" ] || { echo "missing: $tool" >&2; exit 1; }
done

# The photograph: a seeded plasma fractal, blurred a little like a lens
# would; the same pixels every run.
echo "making the 4000 x 3000 test photograph ..."
"$IM" -seed 7 -size 4000x3000 plasma:fractal -blur 0x1.2 -depth 8 "$WORK/photo.ppm"
"$IM" "$WORK/photo.ppm" -type TrueColor BMP3:"$WORK/photo.bmp"
"$IM" "$WORK/photo.ppm" -quality 90 "$WORK/photo_base.jpg"
"$IM" "$WORK/photo.ppm" -quality 90 -interlace JPEG "$WORK/photo_prog.jpg"
"$IM" "$WORK/photo.ppm" "$WORK/photo.png"
"$IM" "$WORK/photo.ppm" "$WORK/photo.gif"

# best_of CMD...: prints "seconds peak-kB" of the fastest of RUNS runs.
best_of() {
  local best="" mem=""
  for _ in $(seq "$RUNS"); do
    /usr/bin/time -f "%e %M" -o "$WORK/t" "$@" >/dev/null 2>"$WORK/err" || { echo "fail fail"; return; }
    read -r t m <"$WORK/t"
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; mem=$m; fi
  done
  echo "$best $mem"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (a=="fail"||b=="fail"||b==0) print "-"; else printf "%.2f", a/b }'; }

printf "\n%-22s %10s %10s %10s %9s %9s %12s\n" "case" "tessaro s" "magick s" "vips s" "t/magick" "t/vips" "tessaro MB"
run_case() { # name, tessaro args, magick args, vips args
  local name=$1
  read -r t tm < <(best_of $2)
  read -r m _ < <(best_of $3)
  read -r v _ < <(best_of $4)
  local mb="-"
  [ "$tm" != "fail" ] && mb=$(awk -v k="$tm" 'BEGIN{printf "%.0f", k/1024}')
  printf "%-22s %10s %10s %10s %9s %9s %12s\n" "$name" "$t" "$m" "$v" "$(ratio "$t" "$m")" "$(ratio "$t" "$v")" "$mb"
}

W=$WORK
# Loading: read the format, write something cheap (BMP, or vips' own format).
run_case "load jpeg baseline" "$CLI convert $W/photo_base.jpg $W/o1.bmp" "$IM $W/photo_base.jpg $W/o2.bmp" "$VIPS copy $W/photo_base.jpg $W/o3.v"
run_case "load jpeg progressive" "$CLI convert $W/photo_prog.jpg $W/o1.bmp" "$IM $W/photo_prog.jpg $W/o2.bmp" "$VIPS copy $W/photo_prog.jpg $W/o3.v"
run_case "load png" "$CLI convert $W/photo.png $W/o1.bmp" "$IM $W/photo.png $W/o2.bmp" "$VIPS copy $W/photo.png $W/o3.v"
run_case "load gif" "$CLI convert $W/photo.gif $W/o1.bmp" "$IM $W/photo.gif $W/o2.bmp" "$VIPS copy $W/photo.gif $W/o3.v"
run_case "load bmp" "$CLI convert $W/photo.bmp $W/o1.bmp" "$IM $W/photo.bmp $W/o2.bmp" "$VIPS copy $W/photo.bmp $W/o3.v"
# Saving: read the BMP (vips: the PPM, which it reads natively), write the format.
run_case "save jpeg baseline" "$CLI convert $W/photo.bmp $W/o1.jpg --quality 90" "$IM $W/photo.bmp -quality 90 $W/o2.jpg" "$VIPS copy $W/photo.ppm $W/o3.jpg[Q=90]"
run_case "save jpeg progressive" "$CLI convert $W/photo.bmp $W/o1.jpg --quality 90 --progressive" "$IM $W/photo.bmp -quality 90 -interlace JPEG $W/o2.jpg" "$VIPS copy $W/photo.ppm $W/o3.jpg[Q=90,interlace]"
run_case "save png" "$CLI convert $W/photo.bmp $W/o1.png" "$IM $W/photo.bmp $W/o2.png" "$VIPS copy $W/photo.ppm $W/o3.png"
run_case "save gif" "$CLI convert $W/photo.bmp $W/o1.gif" "$IM $W/photo.bmp $W/o2.gif" "$VIPS copy $W/photo.ppm $W/o3.gif"
run_case "save bmp" "$CLI convert $W/photo.bmp $W/o1.bmp" "$IM $W/photo.bmp BMP3:$W/o2.bmp" "$VIPS copy $W/photo.ppm $W/o3.bmp"
echo
echo "raster: 4000 x 3000 x 3 bytes = 34 MB; peak memory of loading should stay below twice that plus the file."
