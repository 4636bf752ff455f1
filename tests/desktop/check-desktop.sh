#!/usr/bin/env bash
# The desktop program as a user meets it, on a virtual X display with a fresh home folder:
# first start, a second start, SIGTERM, and a damaged data file with its box.
# Usage: check-desktop.sh [path/to/kelvo-rem]   (default build/source/app/kelvo-rem)
# KELVO_SHOTS=folder keeps screenshots there (outside the repository).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(realpath "${1:-$root/build/source/app/kelvo-rem}")
[ -x "$bin" ] || { echo "check-desktop: no program at $bin" >&2; exit 1; }

if [ -z "${KELVO_UNDER_XVFB:-}" ]; then
  export KELVO_UNDER_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$bin"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home LC_ALL=C QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/run
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_STATE_HOME XDG_CACHE_HOME
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
data=$HOME/.local/share/Brennikor/Tavrelon
conf="$HOME/.config/Brennikor/Tavrelon MP3.conf"
shots=${KELVO_SHOTS:-$work/shots}
mkdir -p "$shots"

openbox >/dev/null 2>&1 &
pids+=($!)

fail() { echo "check-desktop: FAIL: $*" >&2; exit 1; }
ok() { echo "check-desktop: ok: $*"; }
# wait_for SECONDS COMMAND...: until the command succeeds.
wait_for() {
  local limit=$(($1 * 10)); shift
  for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
sums() { (cd "$data" && sha256sum -- * 2>/dev/null; sha256sum -- "$conf" 2>/dev/null) | sort; }

wait_for 10 wm_running || echo "check-desktop: no window manager came up; going on without"

# First start: data folder, data files and settings appear.
"$bin" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
wait_for 20 test -s "$data/kelvo-rem.evn" -a -s "$data/kelvo-rem.tpl" -a -s "$conf" ||
  fail "first start created no data files or settings"
[ "$(stat -c %a "$data")" = 700 ] || fail "data folder is not private"
ok "first start created $(ls "$data" | tr '\n' ' ')and the settings"
sleep 1
import -window root "$shots/first-start.png" && ok "screenshot $shots/first-start.png"

# A second start asks the first to show itself, ends with 0 and touches nothing.
before=$(sums)
timeout 15 "$bin" >"$work/second.log" 2>&1 || fail "second start ended with $?"
kill -0 "$first" 2>/dev/null || fail "the first instance is gone"
[ "$(sums)" = "$before" ] || fail "the second start changed data or settings"
ok "second start raised the first and exited 0"

# SIGTERM: everything saved, exit code 0.
touch -d '2000-01-01' "$data/kelvo-rem.evn" "$data/kelvo-rem.tpl"
kill -TERM "$first"
rc=0; wait "$first" || rc=$?
[ "$rc" = 0 ] || fail "SIGTERM ended with $rc"
[ "$(find "$data/kelvo-rem.evn" -newermt '2001-01-01')" ] || fail "SIGTERM did not save the events"
ok "SIGTERM saved and exited 0"

# A data file that cannot be read: the program runs on a fallback location and leaves the
# file as it was.
printf 'this is no events file' >"$data/kelvo-rem.evn"
cp "$data/kelvo-rem.evn" "$work/damaged.copy"
"$bin" >"$work/damaged.log" 2>&1 &
third=$!
pids+=("$third")
sleep 3
kill -0 "$third" 2>/dev/null || fail "the program ended on a damaged file"
import -window root "$shots/damaged-file.png" && ok "screenshot $shots/damaged-file.png"
# Its box blocks nothing (alarm windows stay answerable) and stays above stay-on-top windows.
box=$(xwininfo -root -tree | awk '/"Error": \(/ && !n++ { print $1 }')
[ -n "$box" ] || fail "no box tells of the damaged file"
state=$(xprop -id "$box" _NET_WM_STATE)
case "$state" in *_NET_WM_STATE_MODAL*) fail "the damaged-file box is modal" ;; esac
case "$state" in *_NET_WM_STATE_ABOVE*) ;; *) fail "the damaged-file box can go under alarm windows" ;; esac
ok "the damaged-file box is not modal and stays above"
kill -TERM "$third"
rc=0; wait "$third" || rc=$?
[ "$rc" = 0 ] || fail "SIGTERM on the fallback ended with $rc"
cmp -s "$data/kelvo-rem.evn" "$work/damaged.copy" || fail "the damaged file was changed"
fallback=$(grep -a 'StartupDataLocation=' "$conf" | head -1 | sed 's/^StartupDataLocation=//')
case "$fallback" in
  */kelvo-rem | "") fail "the data location did not move ($fallback)" ;;
esac
[ -s "$fallback.evn" ] || fail "nothing saved at the fallback $fallback"
ok "damaged file untouched, running on $fallback"

# A FIFO where the events file belongs: refused at once, never waited on.
rm -f "$fallback.evn" && mkfifo "$fallback.evn"
"$bin" >"$work/fifo.log" 2>&1 &
fourth=$!
pids+=("$fourth")
wait_for 15 grep -q "StartupDataLocation=$fallback-2" "$conf" ||
  fail "a FIFO as the events file blocked the start-up"
kill -TERM "$fourth"
wait_for 10 bash -c "! kill -0 $fourth 2>/dev/null" || fail "SIGTERM did not end the program"
[ -p "$fallback.evn" ] || fail "the FIFO was replaced"
ok "a FIFO as the events file was refused, running on $fallback-2"
echo "check-desktop: all checks passed"
