#!/bin/sh
# Builds the fuzz targets with clang and runs each for a bounded time.
# Usage: fuzz/run.sh [SECONDS]   (default 5 seconds per target; FUZZ_BUILD picks the build folder)
set -eu
seconds=${1:-5}
here=$(cd "$(dirname "$0")" && pwd)
build=${FUZZ_BUILD:-$here/../build-fuzz}

CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${JOBS:-2}"
"$build/fuzz_seeds" "$build/corpus"
rm -rf "$build/tmp"
mkdir -p "$build/artifacts" "$build/tmp"
for target in chunk preset_image bank_image stored_value dispatcher readout_text set_option; do
  echo "fuzz_$target: $seconds s"
  if ! TMPDIR="$build/tmp" "$build/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
      -artifact_prefix="$build/artifacts/$target-" "$build/corpus/$target" >"$build/$target.log" 2>&1; then
    tail -n 40 "$build/$target.log"
    echo "fuzz_$target failed; the input is in $build/artifacts/" >&2
    exit 1
  fi
  tail -n 1 "$build/$target.log"
done
