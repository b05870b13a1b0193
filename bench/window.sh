#!/usr/bin/env bash
# Varnholt's window with big results, beside VarnholtScan on the same tree and
# settings: how long Find takes to show the results, and how long the window
# stays frozen while they are saved, edited, printed (and moved, with MOVE=1).
#   bench/window.sh
# Environment: BUILD_ROOT (default build/), ARCH (x64), BENCH_DIR (/tmp/varnholt-bench),
#   MOVE=1 also runs Delete all duplicates (on a linked copy of the tree).
# The tree: 50,000 files of about 2 KB, a quarter of them copies (about 21,800 in groups).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$top/build}
arch=${ARCH:-x64}
bench=${BENCH_DIR:-/tmp/varnholt-bench}
wineroot=$build/wine
exe=$build/$arch/bench/window_bench.exe
scan=$build/$arch/suite/Varnholt/VarnholtScan.exe
[ -f "$exe" ] && [ -f "$scan" ] || { echo "build first: scripts/build $arch window_bench.exe VarnholtScan" >&2; exit 1; }
tree=$bench/t50k-small
mkdir -p "$bench"
[ -d "$tree" ] || python3 "$top/bench/make_dupes_tree.py" "$tree" 50000 2048 1
work=$(mktemp -d)
trap 'rm -rf "$work"; "$top/scripts/wine-run" "$wineroot" --stop' EXIT
mkdir -p "$work/program"
cp "$build/$arch/suite/Varnholt/"{config.ini,0026trl.ini,0026exc.ini} "$work/program/"
# Moves take the linked copy's names, never the tree's own.
cp -al "$tree" "$work/tree"
win() { echo "Z:${1//\//\\}"; }

"$top/scripts/wine-run" "$wineroot" --prepare
find "$tree" -type f -print0 | xargs -0 -P2 cat > /dev/null
echo "== window ($arch), $(find "$tree" -type f | wc -l) files"
BENCH_MOVE=${MOVE:-0} WINE_RUN_TIMEOUT=3600 "$top/scripts/wine-run" "$wineroot" "$exe" \
  "$(win "$work/program")" "$(win "$top/bench/config.ini")" "$(win "$work/tree")" "$(win "$work")"
echo "== VarnholtScan, same tree and settings, three runs"
for run in 1 2 3; do
  find "$tree" -type f -print0 | xargs -0 -P2 cat > /dev/null
  WINE_RUN_TIMEOUT=3600 "$top/scripts/wine-run" "$wineroot" "$scan" --no-cache --config "$(win "$top/bench/config.ini")" \
    "$(win "$tree")" 2>&1 >/dev/null | grep seconds
done
