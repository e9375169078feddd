#!/usr/bin/env bash
# Runs the benchmarks and their peers side by side and prints a table of
# ratios against the goals. Usage: bench/run.sh [BUILD_DIR]   (default: build)
#
# Times are CPU seconds (user + system), the best of $RUNS runs, so that other
# load on the machine disturbs them less; wall-clock seconds are shown too.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
RUNS="${RUNS:-3}"
data="$build/bench-data"
cli="$build/bin/pellory-cli"

cmake --build "$build" -j2 --target vorn_bench vorn_direct_test make_bench_archives pellory-cli
echo "== writing benchmark archives to $data (first run only)"
"$build/bench/make_bench_archives" "$data"
if [ ! -f "$data/zlib6.zip" ]; then
  (cd "$data/content" && zip -q -6 ../zlib6.zip part*.txt)
fi

# best CMD...: prints "cpu wall maxrss_kb" of the run with the least CPU time.
best() {
  local best_line="" line stats
  stats=$(mktemp)
  for _ in $(seq "$RUNS"); do
    /usr/bin/time -o "$stats" -f "%U %S %e %M" "$@" >/dev/null 2>&1 || true
    line=$(awk '{printf "%.3f %.3f %d", $1 + $2, $3, $4}' "$stats")
    if [ -z "$best_line" ] || awk -v a="$line" -v b="$best_line" 'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
      best_line="$line"
    fi
  done
  rm -f "$stats"
  echo "$best_line"
}

row() {  # name, peer name, our cpu, peer cpu, goal text, ratio, pass
  printf "%-36s %-26s %13s %13s %6s  %-14s %s\n" "$@"
}

echo
echo "== in-process (Google Benchmark, median of 3, CPU time)"
csv=$("$build/bench/vorn_bench" --benchmark_format=csv --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true --benchmark_min_time=0.3 2>/dev/null)
median() { awk -F, -v n="\"$1_median\"" '$1 == n {printf "%.3f", $4 / 1000}' <<<"$csv"; }  # ms -> s
row "ours" "peer" "ours s" "peer s" "ratio" "goal" ""
o=$(median Open/index/vorn); p=$(median Open/index/read)
r=$(awk -v o="$o" -v p="$p" 'BEGIN{printf "%.2f", o / p}')
row "Open, 1M entries / 10k folders" "read() of the index" "$o" "$p" "$r" "time <= 1.5" \
    "$(awk -v r="$r" 'BEGIN{print (r <= 1.5) ? "ok" : "MISSED"}')"
for a in zlib-whole zlib-chunked lzo-whole lzo-chunked; do
  o=$(median "Test/$a.kvres/vorn"); p=$(median "Test/$a.kvres/direct")
  r=$(awk -v o="$o" -v p="$p" 'BEGIN{printf "%.2f", p / o}')
  row "Open+ReadFileData, $a" "direct decode + crc32" "$o" "$p" "$r" "speed >= 0.85" \
      "$(awk -v r="$r" 'BEGIN{print (r >= 0.85) ? "ok" : "MISSED"}')"
done

echo
echo "== processes (best of $RUNS; CPU s, wall s in brackets)"
if [ ! -x "$cli" ]; then
  echo "pellory-cli not built: process rows skipped"
  exit 0
fi
row "ours" "peer" "ours s" "peer s" "ratio" "goal" ""
for a in zlib-whole zlib-chunked lzo-whole lzo-chunked; do
  read -r oc ow om <<<"$(best "$cli" test "$data/$a.kvres")"
  read -r pc pw pm <<<"$(best "$build/bench/vorn_direct_test" "$data/$a.manifest")"
  r=$(awk -v o="$oc" -v p="$pc" 'BEGIN{printf "%.2f", p / o}')
  row "pellory-cli test $a" "vorn_direct_test" "$oc[$ow]" "$pc[$pw]" "$r" "speed >= 0.85" \
      "$(awk -v r="$r" 'BEGIN{print (r >= 0.85) ? "ok" : "MISSED"}')"
  eval "rss_$(tr - _ <<<"$a")=$om"
done
read -r pc pw pm <<<"$(best unzip -tqq "$data/zlib6.zip")"
for a in zlib-whole zlib-chunked; do
  read -r oc ow om <<<"$(best "$cli" test "$data/$a.kvres")"
  r=$(awk -v o="$oc" -v p="$pc" 'BEGIN{printf "%.2f", p / o}')
  row "pellory-cli test $a" "unzip -t (same text, -6)" "$oc[$ow]" "$pc[$pw]" "$r" "speed >= 1" \
      "$(awk -v r="$r" 'BEGIN{print (r >= 1) ? "ok" : "MISSED"}')"
done
# Same run with glibc keeping freed blocks instead of returning each 32 MiB
# buffer to the system: shows what the page faults of fresh buffers cost.
keep="glibc.malloc.mmap_threshold=1073741824:glibc.malloc.trim_threshold=2147483647"
read -r oc ow om <<<"$(best env GLIBC_TUNABLES="$keep" "$cli" test "$data/zlib-whole.kvres")"
r=$(awk -v o="$oc" -v p="$pc" 'BEGIN{printf "%.2f", p / o}')
row "  same, freed buffers kept by malloc" "unzip -t (same text, -6)" "$oc[$ow]" "$pc[$pw]" "$r" "(diagnostic)" ""
read -r oc ow om <<<"$(best "$cli" test "$data/index.kvres")"
row "pellory-cli test index (1M empty)" "-" "$oc[$ow]" "-" "-" "-" ""

echo
echo "== peak memory of pellory-cli test (max RSS)"
read -r _ _ base <<<"$(best "$cli" --help)"
largest=$((32 * 1024))  # KiB: the largest entry
printf "%-28s %10s %12s  %s\n" "archive" "max RSS KiB" "bound KiB" "(program + index + largest entry + input buffer)"
for a in zlib-whole zlib-chunked lzo-whole lzo-chunked; do
  var="rss_$(tr - _ <<<"$a")"
  index_kib=$(( $(od -An -tu4 -j20 -N4 "$data/$a.kvres") / 1024 + 1 ))
  case "$a" in
    *-chunked) input=64 ;;
    *) input=$(( $(awk 'NR <= 2 {next} left == 0 {left = $4; next} {left--; if ($2 > m) m = $2} END {print m}' "$data/$a.manifest") / 1024 + 1 )) ;;
  esac
  bound=$((base + index_kib + largest + input))
  printf "%-28s %10s %12s  %s\n" "$a" "${!var}" "$bound" \
    "$(awk -v m="${!var}" -v b="$bound" 'BEGIN{print (m <= b * 1.1) ? "ok" : "ABOVE"}')"
done
