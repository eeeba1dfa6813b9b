#!/usr/bin/env bash
# Runs d88cut under valgrind on a complete disk A and on damaged images: no memory error,
# no leak.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/images"
"$build/d88sample" "$scratch/images/sample.d88"
"$build/make_seeds" "$scratch/images"

failed=0
for image in "$scratch"/images/*.d88; do
  rm -rf "$scratch/out" && mkdir "$scratch/out"
  status=0
  (cd "$scratch/out" && valgrind -q --error-exitcode=99 --leak-check=full \
    "$build/d88cut" "$image" >/dev/null 2>"$scratch/valgrind.log") || status=$?
  if [ "$status" = 99 ] || grep -q '==[0-9]*==' "$scratch/valgrind.log"; then
    echo "memcheck: $(basename "$image"): errors" >&2
    cat "$scratch/valgrind.log" >&2
    failed=1
  else
    echo "memcheck: $(basename "$image"): clean (exit $status)"
  fi
done
exit "$failed"
