#!/usr/bin/env bash
# Builds everything and runs every test. SANITIZE=1 builds with ASan + UBSan into build-asan/.
# BUILD_DIR overrides the folder; extra arguments go to ctest (e.g. -R core/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

if [ "${SANITIZE:-0}" = 1 ]; then
  build=${BUILD_DIR:-build-asan}
  flags=(-DKELVO_SANITIZE=ON -DKELVO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  build=${BUILD_DIR:-build}
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
jobs=${JOBS:-$(nproc)}

cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen LC_ALL=C
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
