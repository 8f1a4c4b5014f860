#!/usr/bin/env bash
# Runs every benchmark of a build folder (default: build) and prints what each measured.
set -euo pipefail
build=${1:-build}
for program in extract_bench code_page_bench fetch_bench; do
  echo "== $program"
  "$build/bench/$program"
done
