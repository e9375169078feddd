#!/usr/bin/env bash
# Builds the libFuzzer harness with clang and fuzzes the archive reader.
#
#   fuzz/run-fuzz.sh [--seconds N] [--build-dir DIR] [--keep-corpus] [-- LIBFUZZER ARGS]
#
# Each run starts from a fresh copy of the seed corpus (written by the test
# writer) unless --keep-corpus is given, in which case the corpus in the build
# dir grows from run to run. Crashes are saved as DIR/artifacts/crash-*; the
# exit status is non-zero when the fuzzer found one.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=60
build="$root/build/fuzz-build"
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --build-dir) build="$2"; shift 2 ;;
    --keep-corpus) keep=1; shift ;;
    --) shift; break ;;
    *) echo "run-fuzz: unknown argument $1" >&2; exit 2 ;;
  esac
done

cmake -S "$root/fuzz/harness" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$build" -j2 fuzz_vorn_file make_fuzz_seeds

rm -rf "$build/seeds"
mkdir -p "$build/seeds" "$build/artifacts" "$build/corpus"
"$build/make_fuzz_seeds" "$build/seeds"
if [ "$keep" -eq 0 ]; then
  rm -rf "$build/corpus"
  mkdir -p "$build/corpus"
fi
cp "$build"/seeds/* "$build/corpus/"

exec "$build/fuzz_vorn_file" "$build/corpus" \
  -max_total_time="$seconds" -max_len=65536 -timeout=25 -rss_limit_mb=2048 \
  -dict="$root/fuzz/vorn.dict" -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 "$@"
