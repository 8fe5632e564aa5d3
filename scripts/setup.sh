#!/usr/bin/env bash
# Installs what the build needs (Debian packages), configures and builds.
# Idempotent: packages already present and an up-to-date build cost nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libjpeg-dev libpng-dev libgif-dev libtiff-dev zlib1g-dev
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  # tools the tests use to make files with other software
  imagemagick netpbm libjpeg-turbo-progs ghostscript poppler-utils
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
