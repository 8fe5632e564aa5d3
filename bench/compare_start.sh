#!/usr/bin/env bash
# Start times of Tessaro beside mtPaint on the same X server (Xvfb):
#   - start to the first visible window, empty and with a 6000 x 4000 JPEG
#     (for the JPEG: to the window that shows the picture);
#   - a second start of Tessaro with a file until the running program has
#     opened it.
# Prints the median of RUNS runs in milliseconds.
#
#   bench/compare_start.sh [path/to/tessaro] [runs]
set -u
TESSARO=$(realpath "${1:-$(dirname "$0")/../build/tessaro}")
RUNS=${2:-7}
PROBE=$(dirname "$0")/window_probe.py
MTPAINT=/usr/bin/mtpaint
IM=/usr/bin/convert
for tool in "$TESSARO" "$MTPAINT" "$IM" /usr/bin/Xvfb python3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
WORK=$(mktemp -d)
DISPLAY_NO=:$((90 + RANDOM % 9))
Xvfb "$DISPLAY_NO" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
trap 'kill $XVFB 2>/dev/null; [ -n "${RUNNING:-}" ] && kill $RUNNING 2>/dev/null; rm -rf "$WORK"' EXIT
export DISPLAY=$DISPLAY_NO QT_QPA_PLATFORM=xcb
# Tessaro's per-user folders in the work folder: no real settings are touched.
export TMPDIR=$WORK/tmp XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data HOME=$WORK/home
mkdir -p "$TMPDIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${DISPLAY_NO#:}" ] && break; sleep 0.1; done

echo "making the 6000 x 4000 JPEG ..."
"$IM" -seed 3 -size 1500x1000 plasma:fractal -resize 6000x4000 -quality 90 "$WORK/photo.jpg"
"$IM" -size 640x480 gradient:red-blue "$WORK/small.png"

median() { sort -n | awk '{a[NR]=$1} END{ if (NR==0) print "-"; else print a[int((NR+1)/2)] }'; }
probe() { # PATTERN CMD...
  local pattern=$1; shift
  for _ in $(seq "$RUNS"); do
    rm -rf "$TMPDIR"/tessaro-* 2>/dev/null
    python3 "$PROBE" "$pattern" -- "$@"
  done | median
}

echo
printf "%-44s %10s %10s\n" "start (ms, median of $RUNS)" "Tessaro" "mtPaint"
t_first=$(probe '^Tessaro' "$TESSARO")
m_first=$(probe '^mtPaint' "$MTPAINT")
printf "%-44s %10s %10s\n" "empty: first visible window" "$t_first" "$m_first"
t_frame=$(probe '^Tessaro$' "$TESSARO")
printf "%-44s %10s %10s\n" "empty: main window" "$t_frame" "$m_first"
t_jpeg=$(probe '^Tessaro$' "$TESSARO" "$WORK/photo.jpg")
m_jpeg=$(probe '^mtPaint.*photo\.jpg' "$MTPAINT" "$WORK/photo.jpg")
printf "%-44s %10s %10s\n" "6000 x 4000 JPEG: window with the picture" "$t_jpeg" "$m_jpeg"

# A second start hands its file over; it ends once the running program has
# opened it.
rm -rf "$TMPDIR"/tessaro-*
"$TESSARO" >/dev/null 2>&1 &
RUNNING=$!
for _ in $(seq 100); do [ -S "$TMPDIR/tessaro-$(id -u)/Tessaro.socket" ] && break; sleep 0.1; done
sleep 1
second() { # FILE
  for _ in $(seq "$RUNS"); do
    local s e
    s=$(date +%s%N); "$TESSARO" "$1" >/dev/null 2>&1; e=$(date +%s%N)
    echo $(((e - s) / 1000000))
  done | median
}
printf "%-44s %10s\n" "second start to picture opened: 640x480 PNG" "$(second "$WORK/small.png")"
printf "%-44s %10s\n" "second start to picture opened: 6000x4000 JPEG" "$(second "$WORK/photo.jpg")"
