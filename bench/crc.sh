#!/usr/bin/env bash
# CRC-32 throughput of both builds under Wine.
#   bench/crc.sh [file size in MB]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$top/build}
for arch in x86 x64; do
  "$top/scripts/build" "$arch" crc_bench >/dev/null
  echo "== $arch"
  "$top/scripts/wine-run" "$build/wine" "$build/$arch/bench/crc_bench.exe" "$@"
done
