#!/usr/bin/env bash
# Extraction benchmarks side by side, with ratios against the goals.
# Usage: bench/extract/run-extract-bench.sh [BUILD_DIR]   (default: build)
#
#   one 200 MB zlib entry, whole and in 64 KiB chunks:
#     pellory-cli extract  vs  extract_baseline (pread + inflate + one write())
#     goal: speed >= 0.85 of the baseline
#   20,000 files of 8 KiB in 200 folders (zlib level 6 in both archives):
#     pellory-cli extract  vs  unzip -o -q  and  bsdtar -xf  on a zip of the same files
#     goal: speed >= 1
#   peak memory (maximum resident set) of every run
#
# Each figure is the best of $RUNS runs by CPU time (user + system, which
# includes the copying of written data into the page cache), so that other
# load on the machine disturbs it less; wall-clock seconds are shown in
# brackets. The output folder is removed before each run, outside the timing.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
RUNS="${RUNS:-5}"
data="$build/bench-extract-data"
out="$build/bench-extract-out"
cli="$build/bin/pellory-cli"
tools="$build/bench/extract"

cmake --build "$build" -j2 --target make_extract_bench extract_baseline pellory-cli
echo "== writing benchmark data to $data (first run only)"
"$tools/make_extract_bench" "$data"
if [ ! -f "$data/many.zip" ]; then
  (cd "$data/many" && zip -q -r -6 ../many.zip .)
fi

# best CMD...: "cpu wall maxrss_kb" of the run with the least CPU time.
best() {
  local best_line="" line
  for _ in $(seq "$RUNS"); do
    rm -rf "$out" && mkdir -p "$out" && sync
    /usr/bin/time -o "$out.time" -f "%e %U %S %M" "$@" >/dev/null 2>&1
    line=$(tail -1 "$out.time" | awk '{printf "%.2f %.2f %d", $2 + $3, $1, $4}')
    if [ -z "$best_line" ] || awk -v a="$line" -v b="$best_line" \
         'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
      best_line="$line"
    fi
  done
  echo "$best_line"
}

row() {  # what, peer, ours, peer's, ratio, goal, verdict
  printf "%-30s %-24s %14s %14s %6s  %-12s %s\n" "$@"
}

verdict() { awk -v r="$1" -v g="$2" 'BEGIN{print (r >= g) ? "ok" : "MISSED"}'; }

echo
echo "== time: best of $RUNS, CPU s [wall s]; ratio = peer CPU time / our CPU time"
row "ours" "peer" "ours" "peer" "ratio" "goal" ""
for a in whole chunked; do
  read -r oc ow om <<<"$(best "$cli" extract --overwrite=all "$data/big-$a.kvres" "$out")"
  read -r pc pw pm <<<"$(best "$tools/extract_baseline" "$data/big-$a.manifest" "$out/big.txt")"
  r=$(awk -v o="$oc" -v p="$pc" 'BEGIN{printf "%.2f", p / o}')
  row "extract 200 MB zlib $a" "inflate + one write()" "$oc [$ow]" "$pc [$pw]" "$r" ">= 0.85" \
      "$(verdict "$r" 0.85)"
  eval "mem_$a=\"$om $pm\""
done
read -r oc ow om <<<"$(best "$cli" extract --overwrite=all "$data/many.kvres" "$out")"
read -r uc uw um <<<"$(best unzip -o -q "$data/many.zip" -d "$out")"
read -r bc bw bm <<<"$(best bsdtar -xf "$data/many.zip" -C "$out")"
r=$(awk -v o="$oc" -v p="$uc" 'BEGIN{printf "%.2f", p / o}')
row "extract 20,000 x 8 KiB" "unzip -o -q" "$oc [$ow]" "$uc [$uw]" "$r" ">= 1" "$(verdict "$r" 1)"
r=$(awk -v o="$oc" -v p="$bc" 'BEGIN{printf "%.2f", p / o}')
row "extract 20,000 x 8 KiB" "bsdtar -xf" "$oc [$ow]" "$bc [$bw]" "$r" ">= 1" "$(verdict "$r" 1)"

echo
echo "== peak memory (maximum resident set, MB)"
mb() { awk -v k="$1" 'BEGIN{printf "%.1f", k / 1024}'; }
for a in whole chunked; do
  read -r o p <<<"$(eval echo "\$mem_$a")"
  printf "%-30s ours %7s   baseline %7s   (entry 190.7 MB + its input buffer)\n" \
         "200 MB zlib $a" "$(mb "$o")" "$(mb "$p")"
done
printf "%-30s ours %7s   unzip %7s   bsdtar %7s\n" "20,000 x 8 KiB" "$(mb "$om")" "$(mb "$um")" "$(mb "$bm")"
rm -rf "$out" "$out.time"
