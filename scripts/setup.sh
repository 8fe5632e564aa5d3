#!/usr/bin/env bash
# Installs what the build needs (Debian packages), configures and builds.
# Idempotent: packages already present and an up-to-date build cost nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every package the build, the tests, the benchmark scripts and the fuzz run
# use. Installed without recommendations, so each optional part that is
# needed is named here itself.
PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  # the sanitizer and libFuzzer runtimes of scripts/fuzz.sh (clang only recommends them)
  libclang-rt-dev
  # OpenMP for clang (the fuzz build); g++ brings its own (libgomp)
  libomp-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libjpeg-dev libpng-dev libgif-dev libtiff-dev zlib1g-dev
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  # DejaVu for the tests' texts, Liberation for texts set in Arial's metrics
  fonts-dejavu-core fonts-liberation
  # tools the tests use to make and cross-check files with other software;
  # ImageMagick reads WMF only through its extra codecs (libwmf), and the
  # EPS reader renders through Ghostscript
  imagemagick libmagickcore-6.q16-6-extra ghostscript netpbm libjpeg-turbo-progs
  # the side-by-side scripts bench/compare_*.sh
  libvips-tools time
  # pdftoppm, pdfimages and pdfinfo read back the printed pages
  poppler-utils
  # the desktop's own reading of the file class and the defaults the options
  # dialog writes (xdg-mime, desktop-file-validate, update-mime-database)
  xdg-utils desktop-file-utils shared-mime-info
  # bench/compare_start.sh: an X server and the program it compares with
  xvfb mtpaint python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD=${TESSARO_BUILD:-build}
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON
fi
cmake --build "$BUILD" -j"$(nproc)" "$@"
