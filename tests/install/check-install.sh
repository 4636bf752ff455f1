#!/usr/bin/env bash
# An installation as a distribution makes it: cmake --install into a fresh prefix, the
# desktop entry and the AppStream data validated, then the installed programs run from the
# prefix with a fresh home folder and take their sounds from the prefix's share/kelvo-rem.
# Usage: check-install.sh [BUILD-FOLDER]   (default build; CMAKE names the cmake to use)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
cmake=${CMAKE:-cmake}
app=com.brennikor.Tavrelon

work=$(mktemp -d)
rem=
cleanup() {
  [ -n "$rem" ] && kill -KILL "$rem" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check-install: FAIL: $*" >&2; exit 1; }
ok() { echo "check-install: ok: $*"; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

for f in bin/kelvo-rem bin/kelvo-cli; do
  [ -x "$prefix/$f" ] || fail "no program $f"
done
for f in share/kelvo-rem/Sounds/Beep.wav share/kelvo-rem/Icons.dll share/kelvo-rem/whatsnew.txt \
  share/kelvo-rem/Help/index.html share/kelvo-rem/Help/topic-310.html share/kelvo-rem/tips/tips.txt \
  "share/applications/$app.desktop" "share/metainfo/$app.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app.svg" "share/icons/hicolor/48x48/apps/$app.png"; do
  [ -s "$prefix/$f" ] || fail "no file $f"
done
stray=$(cd "$prefix" && find . -name '*.qm' -not -path './share/kelvo-rem/translations/*')
[ -z "$stray" ] || fail "translations outside share/kelvo-rem/translations: $stray"
for png in "$prefix"/share/icons/hicolor/*/apps/$app.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
done
[ "$(identify -format '%n\n' "ico:$prefix/share/kelvo-rem/Icons.dll" | head -1)" -gt 1 ] ||
  fail "the icon library holds less than two icons"
ok "installed $(cd "$prefix" && find . -type f | wc -l) files"

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "metainfo"
appstreamcli validate-tree --no-net "$prefix" || fail "desktop entry and metainfo together"
version=$("$prefix/bin/kelvo-cli" --version | awk '{print $2}')
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo has no release $version"
ok "desktop entry and metainfo valid, release $version"

# The installed programs run on a fresh home and never write into the installation.
export HOME=$work/home LC_ALL=C QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/run
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_STATE_HOME XDG_CACHE_HOME
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
listing() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)

data=$HOME/.local/share/Brennikor/Tavrelon
"$prefix/bin/kelvo-rem" >"$work/rem.log" 2>&1 &
rem=$!
for ((i = 0; i < 600; i++)); do
  [ -s "$data/kelvo-rem.evn" ] && [ -s "$data/kelvo-rem.tpl" ] && break
  kill -0 "$rem" 2>/dev/null || break
  sleep 0.1
done
[ -s "$data/kelvo-rem.evn" ] && [ -s "$data/kelvo-rem.tpl" ] ||
  { cat "$work/rem.log" >&2; fail "the installed kelvo-rem did not come up"; }
sleep 1
kill -TERM "$rem"
rc=0; wait "$rem" || rc=$?
rem=
[ "$rc" = 0 ] || { cat "$work/rem.log" >&2; fail "the installed kelvo-rem ended with $rc on SIGTERM"; }
ok "the installed kelvo-rem came up offscreen and ended with 0 on SIGTERM"

# A sound named without a folder is looked for in the resource folder's "Sounds": played
# from the prefix, the installed beep is found; the same program elsewhere finds none.
python3 - "$work/sound.evn" <<'PY'
import struct, sys
def text(tag, s): return bytes([tag]) + struct.pack('<I', len(s)) + s.encode()
def prop(name, value): return text(0x0A, name) + value
def obj(cls, *props): return text(0x08, cls) + b''.join(props) + text(0x09, cls)
action = obj('TPlayMediaEventAction', prop('FileName', text(0x05, 'Beep.wav')))
actions = prop('Items', bytes([0x0B, 0x02]) + struct.pack('<i', 1) + action + text(0x0C, 'Items'))
event = obj('TEvent',
            prop('EventAction', obj('TComplexEventAction',
                                    prop('Actions', obj('TEventActionList', actions)))),
            prop('State', text(0x01, 'esEnabled')))
with open(sys.argv[1], 'wb') as f:
    f.write(text(0x05, 'Reminder notebook file') + bytes([0x02]) + struct.pack('<i', 1))
    f.write(text(0x05, 'RM_BEGIN_EVENT') + event)
PY
export KELVO_AUDIO_SINK='fakesink sync=true'
out=$("$prefix/bin/kelvo-cli" execute 0 --events "$work/sound.evn" 2>&1) ||
  fail "the installed kelvo-cli did not play Beep.wav: $out"
[ "$out" = "$(printf 'Play media file "Beep.wav"\tok')" ] || fail "unexpected result: $out"
mkdir "$work/elsewhere" && cp "$prefix/bin/kelvo-cli" "$work/elsewhere/"
out=$("$work/elsewhere/kelvo-cli" execute 0 --events "$work/sound.evn" 2>&1) &&
  fail "a kelvo-cli outside the prefix found Beep.wav too: $out"
[ "$out" = "$(printf 'Play media file "Beep.wav"\tthe sound does not play')" ] ||
  fail "unexpected result outside the prefix: $out"
ok "the installed kelvo-cli plays Sounds/Beep.wav from the prefix"

[ "$(listing)" = "$before" ] || fail "running the programs changed the installation"
ok "the installation is unchanged after the runs"
