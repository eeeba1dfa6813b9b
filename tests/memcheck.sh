#!/usr/bin/env bash
# Runs d88cut, and d88info --tracks, under valgrind on a complete disk A and on damaged
# images: no memory error, no leak.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/images"
"$build/d88sample" "$scratch/images/sample.d88"
"$build/make_seeds" "$scratch/images"

failed=0
# Runs one command in a fresh output directory under valgrind and says how it went.
check() {
  local label=$1 status=0
  shift
  rm -rf "$scratch/out" && mkdir "$scratch/out"
  (cd "$scratch/out" && valgrind -q --error-exitcode=99 --leak-check=full "$@" >/dev/null 2>"$scratch/valgrind.log") ||
    status=$?
  if [ "$status" = 99 ] || grep -q '==[0-9]*==' "$scratch/valgrind.log"; then
    echo "memcheck: $label: errors" >&2
    cat "$scratch/valgrind.log" >&2
    failed=1
  else
    echo "memcheck: $label: clean (exit $status)"
  fi
}

for image in "$scratch"/images/*.d88; do
  check "d88cut $(basename "$image")" "$build/d88cut" "$image"
  check "d88info --tracks $(basename "$image")" "$build/d88info" --tracks "$image"
done
exit "$failed"
