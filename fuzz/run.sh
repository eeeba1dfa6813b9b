#!/usr/bin/env bash
# Runs each fuzzer for the given number of seconds from the generated seeds. Fails on any
# crash, leak, hang or sanitizer report.
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=${2:-60}
seeds="$build/seeds"
rm -rf "$seeds" && mkdir -p "$seeds" "$build/artifacts"
"$build/make_seeds" "$seeds"

for harness in fuzz_reader fuzz_tool; do
  corpus="$build/corpus/$harness"
  mkdir -p "$corpus"
  echo "== $harness: $seconds s"
  "$build/$harness" "$corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$harness-" 2>"$build/$harness.log" || {
    tail -n 60 "$build/$harness.log"
    echo "$harness failed; the input that shows it is in $build/artifacts/" >&2
    exit 1
  }
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$harness.log" || true
done
