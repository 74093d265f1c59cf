#!/usr/bin/env bash
# Configures and builds one architecture's tree: build/x86 or build/x64.
set -euo pipefail
arch=${1:?usage: tools/build.sh x86|x64}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# HELIODRUM_BUILD_ROOT lets parallel work keep separate trees
tree=${HELIODRUM_BUILD_ROOT:-$root/build}/$arch
# configured every time (a second or two): test folders are picked up as they appear
cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || { echo "build: configuring $arch failed" >&2; exit 1; }
cmake --build "$tree" -j"$(nproc)" -- --no-print-directory -s || { echo "build: building $arch failed" >&2; exit 1; }
