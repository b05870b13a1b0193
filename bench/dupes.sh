#!/usr/bin/env bash
# Duplicate search side by side: VarnholtScan.exe (under Wine) and jdupes, rdfind,
# fdupes, rmlint (native) on the same tree, criteria size and checksum, page cache warm.
#   bench/dupes.sh [TREE...]        trees made with bench/make_dupes_tree.py
# Environment: BUILD_ROOT (default build/), ARCH (x64), RUNS (3), PEERS ("jdupes rdfind fdupes rmlint"),
#   BENCH_DIR (where default trees are made: /tmp/varnholt-bench), BASELINE (another
#   VarnholtScan.exe, an earlier build, run side by side as "baseline"; BASELINE_ARGS,
#   its extra arguments, "--no-cache" for one that keeps a content cache).
# Default trees: 50,000 files of about 200 KB (about 10 GB, a quarter copies), made when missing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$top/build}
arch=${ARCH:-x64}
runs=${RUNS:-3}
peers=${PEERS:-"jdupes rdfind fdupes rmlint"}
bench=${BENCH_DIR:-/tmp/varnholt-bench}
scan=$build/$arch/suite/Varnholt/VarnholtScan.exe
wineroot=$build/wine
out=$(mktemp -d)
# A Windows program pays no Wine start: the prefix's wineserver stays up for the
# whole run (and is stopped at the end), so each run starts a process only.
trap 'rm -rf "$out"; "$top/scripts/wine-run" "$wineroot" --stop' EXIT

[ -f "$scan" ] || { echo "build VarnholtScan first: scripts/build $arch VarnholtScan" >&2; exit 1; }
trees=("$@")
if [ ${#trees[@]} -eq 0 ]; then
  need=$((11 * 1024 * 1024))  # KB
  mkdir -p "$bench"
  if [ ! -d "$bench/t50k" ]; then
    free=$(df -Pk "$bench" | awk 'NR==2 {print $4}')
    [ "$free" -gt "$need" ] || { echo "not enough free disk for the 10 GB tree in $bench" >&2; exit 1; }
    python3 "$top/bench/make_dupes_tree.py" "$bench/t50k" 50000 204800 1
  fi
  trees=("$bench/t50k")
fi

# bench/config.ini: size and checksum in one step, the template's categories, no filters.
config="Z:${top//\//\\}\\bench\\config.ini"

# seconds and peak KB of one run; output in $out/$name.out
timed() {
  local name=$1; shift
  /usr/bin/time -f '%e %M' -o "$out/$name.time" "$@" > "$out/$name.out" 2> "$out/$name.err" || true
  cat "$out/$name.time"
}

run_tool() {
  local name=$1 tree=$2
  case $name in
    varnholt|baseline)
      # Every file read as in a first search: this build without its content cache
      # (bench/cache.sh measures the cache); an earlier build with BASELINE_ARGS.
      local exe=$scan nocache=--no-cache
      [ "$name" = baseline ] && exe=$BASELINE nocache=${BASELINE_ARGS:-}
      WINE_RUN_TIMEOUT=7200 WINEDEBUG=-all VARNHOLTSCAN_DETAILS=1 timed "$name" "$top/scripts/wine-run" "$wineroot" "$exe" --config "$config" $nocache "Z:${tree//\//\\}\\..." ;;
    jdupes) timed jdupes jdupes -r -q "$tree" ;;
    rdfind) timed rdfind rdfind -dryrun true -outputname "$out/rdfind.txt" "$tree" ;;
    fdupes) timed fdupes fdupes -r -q -n "$tree" ;;
    rmlint) timed rmlint rmlint -T df -o fdupes:"$out/rmlint.txt" "$tree" ;;
  esac
}

for tree in "${trees[@]}"; do
  files=$(find "$tree" -type f | wc -l)
  bytes=$(du -sb "$tree" | cut -f1)
  echo "== $tree: $files files, $((bytes / 1048576)) MB"
  # Warm the page cache and Wine.
  find "$tree" -type f -print0 | xargs -0 cat > /dev/null
  "$top/scripts/wine-run" "$wineroot" --prepare
  WINEPREFIX=$wineroot/prefix wineserver -p 2>/dev/null || true  # already up
  declare -A best=()
  for name in varnholt ${BASELINE:+baseline} $peers; do
    case $name in varnholt|baseline) ;; *) command -v "$name" > /dev/null 2>&1 || { echo "  $name: not installed"; continue; } ;; esac
    times=()
    for r in $(seq "$runs"); do
      # Warm again before every run: some machines drop cached pages within minutes.
      find "$tree" -type f -print0 | xargs -0 -P2 cat > /dev/null
      read -r secs kb < <(run_tool "$name" "$tree")
      times+=("$secs")
      mem=$kb
    done
    best[$name]=$(printf '%s\n' "${times[@]}" | sort -g | head -1)
    printf '  %-9s best %6.2f s of %s   peak RSS %s MB\n' "$name" "${best[$name]}" "${times[*]}" "$((mem / 1024))"
    case $name in varnholt|baseline) sed 's/^/            /' "$out/$name.err" ;; esac
  done
  # Ratios to each peer.
  for name in ${BASELINE:+baseline} $peers; do
    [ -n "${best[$name]:-}" ] || continue
    awk -v v="${best[varnholt]}" -v p="${best[$name]}" -v n="$name" 'BEGIN { printf "  varnholt / %-7s %.2f\n", n, v / p }'
  done
  # Same sets of duplicates (files of more than 0 bytes) as jdupes.
  if [ -n "${best[jdupes]:-}" ]; then
    python3 "$top/bench/compare_sets.py" "$out/varnholt.out" "$out/jdupes.out"
  fi
  if [ -n "${best[baseline]:-}" ]; then
    cmp -s "$out/varnholt.out" "$out/baseline.out" && echo "  same results as the baseline" || echo "  results differ from the baseline"
  fi
  unset best
done
