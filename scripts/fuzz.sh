#!/usr/bin/env bash
# Builds every libFuzzer target (clang, address and undefined-behaviour sanitizers) and runs
# each for a bounded time on its seeds. The corpus libFuzzer grows stays in build-fuzz/.
# Each target makes FUZZ_RUNS inputs (default 30000) from FUZZ_SEED (default 1), so a run is
# repeatable: CI fails only on what a local run of the same commit finds too. FUZZ_SECONDS
# caps the time per target (default 60); FUZZ_SEED=0 picks a fresh seed for exploring.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DKELVO_FUZZ=ON -DKELVO_GUI=OFF \
  -DKELVO_TESTS=OFF -DKELVO_BENCH=OFF >/dev/null

targets=()
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  targets+=("fuzz_$name")
done
[ ${#targets[@]} -eq 0 ] && exit 0
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "${targets[@]}"

seconds=${FUZZ_SECONDS:-60}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  corpus="$build/corpus/$name"
  mkdir -p "$corpus" "$build/artifacts"
  dirs=("$corpus")
  [ -d "fuzz/seeds/$name" ] && dirs+=("fuzz/seeds/$name")
  echo "fuzz: $name, ${FUZZ_RUNS:-30000} runs from seed ${FUZZ_SEED:-1}, at most ${seconds}s"
  "$build/fuzz/$target" -seed="${FUZZ_SEED:-1}" -runs="${FUZZ_RUNS:-30000}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" "${dirs[@]}"
done
