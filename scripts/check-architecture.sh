#!/usr/bin/env bash
# The layering rules of source/ that the compiler does not enforce:
#   - the folders of source/core include each other without a cycle;
#   - source/core includes no Qt and nothing of gui/, platform/, app/ or cli/;
#   - source/core includes OS headers only in its one OS module (core/os/);
#   - source/platform includes nothing of gui/.
# Usage: check-architecture.sh [ROOT]    checks ROOT (default: this repository)
#        check-architecture.sh --self-test
set -euo pipefail

os_module='source/core/os/'
posix_headers='unistd\.h|fcntl\.h|sys/[^>]*|dlfcn\.h|pthread\.h|signal\.h|dirent\.h|poll\.h|termios\.h|pwd\.h|grp\.h|spawn\.h|syslog\.h|sched\.h|semaphore\.h|netdb\.h|netinet/[^>]*|arpa/[^>]*|linux/[^>]*|windows\.h'

check() {
    local root=$1 failed=0 hits
    cd "$root"
    [ -d source/core ] || { echo "check-architecture: no source/core in $root" >&2; return 2; }

    # Folder graph: "from to" for every include of another core folder.
    local edges
    edges=$(grep -rEo --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"core/[A-Za-z0-9_]+/' source/core |
        sed -E 's#^source/core/([^/]+)/[^:]*:.*"core/([^/]+)/$#\1 \2#' | awk '$1 != $2' | sort -u || true)
    if [ -n "$edges" ] && ! loop=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null) || [ -n "${loop:-}" ]; then
        echo "check-architecture: the folders of source/core include each other in a cycle:" >&2
        # tsort names the folders of each loop it meets; the first one is enough to mend.
        awk '/input contains a loop/ { n++; next } n == 1 { sub(/^tsort: /, ""); printf "%s%s", sep, $0; sep = " -> " }
             END { print "" }' <<<"$loop" | sed 's/^/  /' >&2
        failed=1
    fi

    if hits=$(grep -rnE --include='*.h' --include='*.cpp' \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<(Q[A-Za-z]|qt)|["<](gui|platform|app|cli)/)' source/core); then
        echo "check-architecture: source/core includes Qt or a higher layer:" >&2
        sed 's/^/  /' <<<"$hits" >&2
        failed=1
    fi

    if hits=$(grep -rnE --include='*.h' --include='*.cpp' \
        "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($posix_headers)>" source/core | grep -v "^$os_module" ); then
        echo "check-architecture: OS headers in source/core outside $os_module:" >&2
        sed 's/^/  /' <<<"$hits" >&2
        failed=1
    fi

    if [ -d source/platform ] && hits=$(grep -rnE --include='*.h' --include='*.cpp' \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]gui/' source/platform); then
        echo "check-architecture: source/platform includes gui/:" >&2
        sed 's/^/  /' <<<"$hits" >&2
        failed=1
    fi
    return $failed
}

# Plants each fault in a small tree and expects the check to find it.
self_test() {
    local tmp status=0
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' RETURN
    plant() { mkdir -p "$tmp/$1/$(dirname "$2")" && printf '%s\n' "$3" >"$tmp/$1/$2"; }
    base() {
        plant "$1" source/core/util/U.h '#include <string>'
        plant "$1" source/core/a/A.h '#include "core/util/U.h"'
        plant "$1" source/core/b/B.h '#include "core/a/A.h"'
        plant "$1" source/core/os/Os.cpp '#include <unistd.h>'
        plant "$1" source/platform/p/P.h '#include <QString>'
    }
    expect() { # name, wanted result (0 pass / 1 fail), text the failure must name
        local out rc=0
        out=$( (check "$tmp/$1") 2>&1) || rc=$?
        if [ "$rc" != "$2" ] || ! grep -q -- "$3" <<<"$out"; then
            echo "check-architecture self-test: '$1' gave $rc (wanted $2): $out" >&2
            status=1
        fi
    }
    base clean
    expect clean 0 ''
    base cycle
    plant cycle source/core/a/A.cpp '#include "core/b/B.h"'
    expect cycle 1 'cycle'
    base qt
    plant qt source/core/b/B.cpp '#include <QDateTime>'
    expect qt 1 'B.cpp:1:#include <QDateTime>'
    base gui
    plant gui source/core/a/A.cpp '#include "gui/main/fmMainForm.h"'
    expect gui 1 'higher layer'
    base posix
    plant posix source/core/b/B.cpp '#include <sys/stat.h>'
    expect posix 1 'B.cpp:1:#include <sys/stat.h>'
    base platform
    plant platform source/platform/p/P.cpp '#include "gui/boxes/Boxes.h"'
    expect platform 1 'platform includes gui'
    [ $status = 0 ] && echo "check-architecture self-test: ok"
    return $status
}

if [ "${1:-}" = --self-test ]; then
    self_test
else
    check "${1:-$(dirname "$0")/..}" && echo "check-architecture: ok"
fi
