#!/usr/bin/env bash
# Builds the program and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/source/app/kelvo-rem ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/source/app/kelvo-rem "$@"
fi
exec build/source/cli/kelvo-cli "${@:---help}"
