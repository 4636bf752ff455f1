#!/usr/bin/env bash
# The desktop program started without XDG_RUNTIME_DIR while the shared temporary folder holds
# links to another instance's lock and socket (what another user could plant there): it still
# starts, with its lock and socket in a private folder of its own.
# Usage: check-instance-folder.sh [path/to/kelvo-rem]   (default build/source/app/kelvo-rem)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(realpath "${1:-$root/build/source/app/kelvo-rem}")
[ -x "$bin" ] || { echo "check-instance-folder: no program at $bin" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export LC_ALL=C QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_STATE_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR

fail() { echo "check-instance-folder: FAIL: $*" >&2; exit 1; }
ok() { echo "check-instance-folder: ok: $*"; }
wait_for() {
  local limit=$(($1 * 10)); shift
  for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The other instance, with a home and a runtime folder of its own.
other_run=$work/other-run
mkdir -p "$work/other" && mkdir -m 0700 "$other_run"
HOME=$work/other XDG_RUNTIME_DIR=$other_run "$bin" >"$work/other.log" 2>&1 &
other=$!
pids+=("$other")
wait_for 20 test -S "$other_run/Brennikor-Tavrelon.socket" || fail "the other instance did not start"

# The shared folder: the library's own runtime folder blocked, the other's lock and socket
# where a start would fall back to, and a link where the private folder belongs.
tmp=$work/tmp
mkdir -p "$tmp"
: >"$tmp/runtime-$(id -un)"
ln -s "$other_run/Brennikor-Tavrelon.lock" "$tmp/Brennikor-Tavrelon.lock"
ln -s "$other_run/Brennikor-Tavrelon.socket" "$tmp/Brennikor-Tavrelon.socket"
ln -s "$other_run" "$tmp/kelvo-rem-$(id -u)"

home=$work/home
mkdir -p "$home"
HOME=$home TMPDIR=$tmp "$bin" >"$work/mine.log" 2>&1 &
mine=$!
pids+=("$mine")
wait_for 20 test -s "$home/.local/share/Brennikor/Tavrelon/kelvo-rem.evn" ||
  fail "the program did not start: $(cat "$work/mine.log")"
sleep 1
kill -0 "$mine" 2>/dev/null || fail "the program ended"
folder=$home/.cache/Brennikor/Tavrelon-instance
[ -S "$folder/Brennikor-Tavrelon.socket" ] || fail "no socket in $folder"
[ "$(stat -c %a "$folder")" = 700 ] || fail "$folder is not private"
ok "started with its lock in $folder"

# A second start of ours finds ours.
HOME=$home TMPDIR=$tmp timeout 15 "$bin" >"$work/second.log" 2>&1 ||
  fail "second start ended with $?"
kill -0 "$mine" 2>/dev/null || fail "the first instance is gone"
ok "a second start asked this instance and exited 0"

kill -TERM "$mine"
rc=0; wait "$mine" || rc=$?
[ "$rc" = 0 ] || fail "SIGTERM ended with $rc"
echo "check-instance-folder: all checks passed"
