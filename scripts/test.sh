#!/usr/bin/env bash
# Builds everything and runs every test. SANITIZE=1 builds with ASan + UBSan into build-asan/ and
# runs the core, platform and kelvo-cli tests there (SANITIZE_ALL=1: every test).
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
export QT_QPA_PLATFORM=offscreen LC_ALL=C
if [ "${SANITIZE:-0}" = 1 ] && [ "${SANITIZE_ALL:-0}" != 1 ]; then
  # The sanitizer pass covers the core, the platform adapters and kelvo-cli: the windows' code
  # would double a cold CI run for little that the normal pass does not already see.
  # SANITIZE_ALL=1 runs everything.
  targets=$(ninja -C "$build" -t targets all | grep -oE '^test_(core|platform)_[a-z_]+:|^test_cli:' |
    tr -d ':' | sort -u)
  # shellcheck disable=SC2086
  cmake --build "$build" -j "$jobs" --target $targets
  ctest --test-dir "$build" --output-on-failure -j "$jobs" -R '^(core|platform)/|^cli$' "$@"
  exit
fi
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
