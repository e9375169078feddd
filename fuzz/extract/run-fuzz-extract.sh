#!/usr/bin/env bash
# Builds the extraction harness with clang and fuzzes extraction.
#
#   fuzz/extract/run-fuzz-extract.sh [--seconds N] [--build-dir DIR] [-- LIBFUZZER ARGS]
#
# Each run starts from the seed corpus written by make_extract_seeds. Crashes
# and findings are saved as DIR/artifacts/crash-*; the exit status is
# non-zero when the fuzzer found one.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds=30
build="$root/build/fuzz-extract-build"
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --build-dir) build="$2"; shift 2 ;;
    --) shift; break ;;
    *) echo "run-fuzz-extract: unknown argument $1" >&2; exit 2 ;;
  esac
done

cmake -S "$here/harness" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$build" -j2 fuzz_extract make_extract_seeds

rm -rf "$build/corpus"
mkdir -p "$build/corpus" "$build/artifacts"
"$build/make_extract_seeds" "$build/corpus"
# The harness builds its scratch trees under TMPDIR: keep them in the build dir.
rm -rf "$build/scratch"
mkdir -p "$build/scratch"
export TMPDIR="$build/scratch"

exec "$build/fuzz_extract" "$build/corpus" \
  -max_total_time="$seconds" -max_len=65536 -timeout=25 -rss_limit_mb=2048 \
  -dict="$root/fuzz/vorn.dict" -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 "$@"
