#!/usr/bin/env bash
# Runs every benchmark of a build folder (default: build) and prints what each
# measured, with its ratio against the peer it is compared with.
set -euo pipefail
build=${1:-build}
for program in extract_bench code_page_bench fetch_bench lookup_bench; do
  echo "== $program"
  "$build/bench/$program"
done
echo "== startup_bench"
"$build/bench/startup_bench" "$build/app/ziventa" "$build/bench/minimal_window"
