#!/usr/bin/env bash
# Runs a command on a private session bus that has a Secret Service of its own (GNOME
# Keyring with an unlocked login keyring in a temporary folder), so that a test meets a real
# secret store and never the user's own.
set -euo pipefail
if [ -z "${KELVO_PRIVATE_BUS:-}" ]; then
  exec env KELVO_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
keyring_home=$(mktemp -d)
trap 'rm -rf "$keyring_home"' EXIT
mkdir -m 700 "$keyring_home/run"
if command -v gnome-keyring-daemon >/dev/null; then
  printf 'kelvo-test' | env HOME="$keyring_home" XDG_DATA_HOME="$keyring_home/data" \
    XDG_RUNTIME_DIR="$keyring_home/run" \
    gnome-keyring-daemon --unlock --components=secrets >/dev/null
fi
"$@"
