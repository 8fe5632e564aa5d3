#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on
# a scratch copy of its seed corpus. Any crash, leak or hang fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${TESSARO_FUZZ_SECONDS:-8}
BUILD=${TESSARO_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DTESSARO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$BUILD" -j"$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0
for src in fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  corpus_name=${name%_fuzz}
  work="$scratch/$corpus_name"
  mkdir -p "$work"
  if [ -d "fuzz/corpus/$corpus_name" ]; then
    cp -r "fuzz/corpus/$corpus_name/." "$work/"
  fi
  if "$BUILD/fuzz/$name" "$work" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2560 \
      -artifact_prefix="$scratch/" -print_final_stats=0 >"$scratch/$name.log" 2>&1; then
    echo "fuzz $name: ok"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED"
    tail -n 40 "$scratch/$name.log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
