#!/usr/bin/env bash
# Searches with the content cache, side by side with jdupes (native) and with
# VarnholtScan without a cache, criteria size and checksum, page cache warm:
#   bench/cache.sh [TREE...]        trees made with bench/make_dupes_tree.py
# For each tree: no cache; a first search (the cache made anew each run); a
# second search of the unchanged tree; after 1 % of the files were rewritten
# with other bytes and their last-write times put back (the files are restored
# afterwards). The second search also runs with the walk on one thread
# (VARNHOLT_WALK_HELPERS=0; under Wine that is the default, and
# VARNHOLT_WALK_HELPERS=N in the environment forces N helpers for every run)
# and, given BASELINE=path/to/VarnholtScan.exe, with an earlier build. Environment: BUILD_ROOT (build/), ARCH (x64), RUNS (3),
# BENCH_DIR (/tmp/varnholt-bench; the default tree is made there when missing).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$top/build}
arch=${ARCH:-x64}
runs=${RUNS:-3}
bench=${BENCH_DIR:-/tmp/varnholt-bench}
scan=$build/$arch/suite/Varnholt/VarnholtScan.exe
wineroot=$build/wine
out=$(mktemp -d)
trap 'rm -rf "$out"; "$top/scripts/wine-run" "$wineroot" --stop' EXIT

[ -f "$scan" ] || { echo "build VarnholtScan first: scripts/build $arch VarnholtScan" >&2; exit 1; }
trees=("$@")
if [ ${#trees[@]} -eq 0 ]; then
  [ -d "$bench/t50k" ] || python3 "$top/bench/make_dupes_tree.py" "$bench/t50k" 50000 204800 1
  trees=("$bench/t50k")
fi

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
config=$(winpath "$top/bench/config.ini")
cache=$out/cache.dat

warm() { find "$1" -type f -print0 | xargs -0 -P2 cat > /dev/null; }
# seconds of one run; its standard output in $out/$1.out, its summary in $out/$1.err
timed() {
  local name=$1; shift
  /usr/bin/time -f '%e %M' -o "$out/$name.time" "$@" > "$out/$name.out" 2> "$out/$name.err" || true
  cut -d' ' -f1 "$out/$name.time"
}
scan() {
  local name=$1 tree=$2; shift 2
  WINE_RUN_TIMEOUT=7200 VARNHOLTSCAN_DETAILS=1 timed "$name" "$top/scripts/wine-run" "$wineroot" "${program:-$scan}" \
    --config "$config" "$@" "$(winpath "$tree")\\..."
}
best() { printf '%s\n' "$@" | sort -g | head -1; }
opens() { grep -o 'opens [0-9]*' "$out/$1.err" | head -1 | cut -d' ' -f2; }

for tree in "${trees[@]}"; do
  files=$(find "$tree" -type f | wc -l)
  echo "== $tree: $files files, $(( $(du -sb "$tree" | cut -f1) / 1048576 )) MB"
  "$top/scripts/wine-run" "$wineroot" --prepare
  # The server stays up between runs: each run pays for starting a process only.
  WINEPREFIX=$wineroot/prefix wineserver -p 2>/dev/null &
  declare -a t_jdupes=() t_none=() t_first=() t_second=() t_one=() t_base=()
  for r in $(seq "$runs"); do
    warm "$tree"; t_jdupes+=("$(timed jdupes jdupes -r -q "$tree")")
    warm "$tree"; t_none+=("$(scan none "$tree" --no-cache)")
    rm -f "$cache"; warm "$tree"; t_first+=("$(scan first "$tree" --cache "$(winpath "$cache")")")
    warm "$tree"; t_second+=("$(scan second "$tree" --cache "$(winpath "$cache")")")
    warm "$tree"; t_one+=("$(VARNHOLT_WALK_HELPERS=0 scan one "$tree" --cache "$(winpath "$cache")")")
    if [ -n "${BASELINE:-}" ]; then
      warm "$tree"; t_base+=("$(program=$BASELINE scan base "$tree" --cache "$(winpath "$cache")")")
    fi
  done
  j=$(best "${t_jdupes[@]}"); n=$(best "${t_none[@]}"); f=$(best "${t_first[@]}"); s=$(best "${t_second[@]}")
  printf '  jdupes          best %6.2f s of %s\n' "$j" "${t_jdupes[*]}"
  printf '  no cache        best %6.2f s of %s   opens %s\n' "$n" "${t_none[*]}" "$(opens none)"
  printf '  first search    best %6.2f s of %s   opens %s\n' "$f" "${t_first[*]}" "$(opens first)"
  printf '  second search   best %6.2f s of %s   opens %s\n' "$s" "${t_second[*]}" "$(opens second)"
  printf '  walk one thread best %6.2f s of %s\n' "$(best "${t_one[@]}")" "${t_one[*]}"
  [ ${#t_base[@]} -eq 0 ] || printf '  baseline        best %6.2f s of %s\n' "$(best "${t_base[@]}")" "${t_base[*]}"
  sed 's/^/                  /' "$out/second.err"
  entries=$(grep -o 'content cache [0-9]*' "$out/second.err" | cut -d' ' -f3)
  bytes=$(stat -c %s "$cache")
  awk -v j="$j" -v n="$n" -v f="$f" -v s="$s" -v b="$bytes" -v e="$entries" 'BEGIN {
    printf "  second / jdupes %.2f (target 0.5 at most), first / no cache %.2f (target 1.1 at most)\n", s / j, f / n
    printf "  cache file %d bytes, %d entries, %.1f bytes an entry\n", b, e, e ? b / e : 0 }'
  cmp -s "$out/none.out" "$out/second.out" && echo "  second search: same results as without a cache" \
    || echo "  second search: RESULTS DIFFER"
  if [ -n "${BASELINE:-}" ]; then
    cmp -s "$out/base.out" "$out/second.out" && echo "  second search: same results as the baseline" \
      || echo "  second search: RESULTS DIFFER FROM THE BASELINE"
  fi

  # 1 % rewritten with other bytes, last-write times put back; restored afterwards.
  python3 - "$tree" "$out/saved" <<'PY'
import os, random, sys
root, saved = sys.argv[1], sys.argv[2]
paths = sorted(os.path.join(d, f) for d, _, fs in os.walk(root) for f in fs)
rng = random.Random(7)
os.makedirs(saved)
for i, p in enumerate(rng.sample(paths, max(1, len(paths) // 100))):
    st = os.stat(p)
    with open(p, "rb") as f: data = f.read()
    with open(os.path.join(saved, str(i)), "wb") as f: f.write(p.encode() + b"\0" + data)
    with open(p, "wb") as f: f.write(bytes(reversed(data)) if len(set(data)) > 1 else os.urandom(len(data)))
    os.utime(p, ns=(st.st_atime_ns, st.st_mtime_ns))
PY
  warm "$tree"; t=$(scan changed "$tree" --cache "$(winpath "$cache")")
  warm "$tree"; scan truth "$tree" --no-cache > /dev/null
  printf '  after 1 %% rewritten: %.2f s, opens %s (%d files rewritten)\n' "$t" "$(opens changed)" "$(ls "$out/saved" | wc -l)"
  cmp -s "$out/changed.out" "$out/truth.out" && echo "  results follow the change (same as without a cache)" \
    || echo "  AFTER THE CHANGE RESULTS DIFFER"
  python3 - "$out/saved" <<'PY'
import os, sys
saved = sys.argv[1]
for name in os.listdir(saved):
    with open(os.path.join(saved, name), "rb") as f: blob = f.read()
    path, data = blob.split(b"\0", 1)
    st = os.stat(path)
    with open(path, "wb") as f: f.write(data)
    os.utime(path, ns=(st.st_atime_ns, st.st_mtime_ns))
PY
  rm -rf "$out/saved"
  unset t_jdupes t_none t_first t_second t_one t_base
done
