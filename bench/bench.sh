#!/usr/bin/env bash
# Measures d88cut on generated images: wall time beside cat, system calls, instructions
# and peak memory. It prints what it saw and asserts nothing: shared machines are noisy.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
rounds=${ROUNDS:-15}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$build/d88sample" "$scratch/one.d88" 1
"$build/d88sample" "$scratch/sixtyfour.d88" 64
mkdir "$scratch/out"
cd "$scratch/out"

# Appends the wall time of one run, in microseconds, to the named sample file. The clock is
# bash's own, so no extra process is timed with the command.
sample() {
  local file=$1 start end
  shift
  start=${EPOCHREALTIME/./}
  "$@" >/dev/null 2>&1
  end=${EPOCHREALTIME/./}
  echo $((end - start)) >>"$scratch/$file"
}

# Interleaved, so that a slow moment of the machine hits every command alike.
for ((round = 0; round < rounds; round++)); do
  for image in one sixtyfour; do
    sample "$image.d88cut" "$build/d88cut" "$scratch/$image.d88"
    sample "$image.cat" cat "$scratch/$image.d88"
  done
done

median() { sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
minimum() { sort -n "$1" | head -n 1; }
ms() { awk -v us="$1" 'BEGIN {printf "%.2f", us / 1e3}'; }

echo "Wall time over $rounds interleaved rounds (ms):"
printf '%-22s %14s %10s %14s %10s %16s\n' image "d88cut median" min "cat median" min "median ratio"
for image in one sixtyfour; do
  cut_median=$(median "$scratch/$image.d88cut")
  cat_median=$(median "$scratch/$image.cat")
  ratio=$(awk -v a="$cut_median" -v b="$cat_median" 'BEGIN {printf "%.1f", a / b}')
  printf '%-22s %14s %10s %14s %10s %16s\n' "$image.d88 ($(stat -c %s "$scratch/$image.d88") B)" \
    "$(ms "$cut_median")" "$(ms "$(minimum "$scratch/$image.d88cut")")" \
    "$(ms "$cat_median")" "$(ms "$(minimum "$scratch/$image.cat")")" "$ratio"
done
echo

if command -v strace >/dev/null 2>&1; then
  strace -c -f -o "$scratch/strace.txt" "$build/d88cut" "$scratch/sixtyfour.d88" >/dev/null
  calls=$(awk '$NF == "total" {print $4}' "$scratch/strace.txt")
  echo "System calls, sixtyfour.d88: $calls in all, $((calls / 64)) per disk"
else
  echo "System calls: strace is not installed"
fi

if command -v valgrind >/dev/null 2>&1; then
  instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/d88cut" "$scratch/sixtyfour.d88" 2>&1 >/dev/null |
    awk '/Collected :/ {print $NF}')
  echo "Instructions, sixtyfour.d88 (callgrind): $instructions in all, $((instructions / 64)) per disk"
else
  echo "Instructions: valgrind is not installed"
fi

cut_rss=$("$build/peak_rss" "$build/d88cut" "$scratch/sixtyfour.d88")
empty_rss=$("$build/peak_rss" "$build/empty_program")
echo "Peak resident memory: d88cut $cut_rss KiB, an empty C++ program $empty_rss KiB"
echo "Machine: $(nproc) cores, $(uname -m), $(date -u +%Y-%m-%d)"
