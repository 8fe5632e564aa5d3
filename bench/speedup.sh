#!/bin/sh
# The speed-up of each raster routine, conversion and codec step from one
# thread to two: runs the Google Benchmark programs' rows that take the
# thread count as their argument (wall time, median of the repetitions) and
# prints one line per routine with both times and their ratio.
#
# Usage: bench/speedup.sh [build folder] [repetitions] [benchmark filter]
#   cmake --build build -j2 --target ops_bench core_bench files_bench
#   bench/speedup.sh build 5
#   bench/speedup.sh build 3 'Blur|Rotate'
# Run it while the machine is otherwise idle (see uptime): a second thread
# that has to wait for a busy core makes every routine look slower.
set -eu

BUILD=${1:-$(dirname "$0")/../build}
REPS=${2:-5}
FILTER=${3:-.}

printf "%-28s %12s %12s %9s\n" routine "1 thread ms" "2 threads ms" speed-up
for program in ops_bench core_bench files_bench; do
  exe="$BUILD/bench/$program"
  if [ ! -x "$exe" ]; then
    echo "missing: $exe (cmake --build $BUILD --target $program)" >&2
    exit 1
  fi
  "$exe" --benchmark_filter="($FILTER).*/[12]/real_time" --benchmark_repetitions="$REPS" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, -v reps="$REPS" '
      # Rows "BM_Name/threads/real_time" (one run) or ..._median (aggregates).
      {
        name = $1
        gsub(/"/, "", name)
        if (reps > 1 && name !~ /_median$/) next
        sub(/_median$/, "", name)
        if (name !~ /^BM_.*\/[12]\/real_time$/) next
        n = split(name, part, "/")
        routine = substr(part[1], 4)
        ms = $3
        if ($5 == "ns") ms /= 1e6; else if ($5 == "us") ms /= 1e3; else if ($5 == "s") ms *= 1e3
        if (!(routine in seen)) { seen[routine] = 1; order[++count] = routine }
        t[routine, part[2]] = ms
      }
      END {
        for (i = 1; i <= count; ++i) {
          r = order[i]
          a = t[r, 1]; b = t[r, 2]
          printf "%-28s %12.2f %12.2f %8.2fx\n", r, a, b, (b > 0 ? a / b : 0)
        }
      }'
done
