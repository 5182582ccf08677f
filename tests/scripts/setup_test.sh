#!/usr/bin/env bash
# scripts/setup against a package manager that misbehaves: a copy of the script runs in a scratch
# tree with apt-get, dpkg and friends replaced by stand-ins that log their calls.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
setup="$here/../../scripts/setup"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A scratch tree with the setup script, a built libjpeg in its cache, and the stand-ins.
# $1: how `apt-get update` behaves (ok|fail); $2: how `apt-get install` behaves
# (ok | release: only with the release's own suite | fail).
scratch() {
    tree=$(mktemp -d)
    mkdir -p "$tree/scripts" "$tree/bin" "$tree/.cache/libjpeg-i686/lib"
    cp "$setup" "$tree/scripts/setup"
    touch "$tree/.cache/libjpeg-i686/lib/libjpeg.a" "$tree/installed"
    cat >"$tree/bin/apt-get" <<STUB
#!/usr/bin/env bash
echo "apt-get \$*" >>"$tree/log"
case "\$1" in
update) [ "$1" = ok ] || { echo "E: Failed to fetch .../Packages.xz  File has unexpected size" >&2; exit 100; } ;;
install)
    case "$2" in
    fail) exit 100 ;;
    release) [[ "\$*" == *APT::Default-Release=* ]] || exit 100 ;;
    esac
    for p in "\$@"; do [[ "\$p" == -* || "\$p" == install || "\$p" == APT::* ]] || echo "\$p" >>"$tree/installed"; done ;;
esac
STUB
    cat >"$tree/bin/dpkg-query" <<STUB
#!/usr/bin/env bash
grep -qx "\${@: -1}" "$tree/installed" && printf 'install ok installed'
STUB
    printf '#!/bin/sh\necho i386\n' >"$tree/bin/dpkg"
    printf '#!/bin/sh\necho 0\n' >"$tree/bin/id"
    printf '#!/bin/sh\n' >"$tree/bin/sleep"
    printf '#!/bin/sh\n' >"$tree/bin/update-alternatives"
    chmod +x "$tree/bin/"*
}

run_setup() { PATH="$tree/bin:$PATH" bash "$tree/scripts/setup" >"$tree/out" 2>&1; }

# Every index fails: three tries, then the install goes on with what came down.
scratch fail ok
run_setup || fail "a failing index stopped setup: $(tail -n 3 "$tree/out")"
[ "$(grep -c '^apt-get update' "$tree/log")" = 3 ] || fail "apt-get update was not tried three times"
grep -q '^apt-get install' "$tree/log" || fail "nothing was installed after the failing index"
[ -f "$tree/.cache/setup.done" ] || fail "setup did not finish"
# Idempotent: everything in place, nothing asked of the package manager.
: >"$tree/log"
run_setup || fail "the second run failed"
[ ! -s "$tree/log" ] || fail "the second run called: $(cat "$tree/log")"
rm -rf "$tree"

# The architectures' newest versions do not match without the missing index: the release's own
# suite is asked for.
scratch fail release
run_setup || fail "setup did not fall back to the release's own suite: $(tail -n 3 "$tree/out")"
grep -q 'APT::Default-Release=' "$tree/log" || fail "no install with the release's own suite"
rm -rf "$tree"

# An install that fails stops setup, naming what could not be installed.
scratch ok fail
run_setup && fail "a failed install was reported as success"
grep -q 'setup: could not install: .*wine32:i386' "$tree/out" || fail "the failed install named nothing: $(tail -n 3 "$tree/out")"
[ ! -f "$tree/.cache/setup.done" ] || fail "a failed install left setup marked as done"
[ "$(grep -c '^apt-get update' "$tree/log")" = 1 ] || fail "a working index was fetched more than once"
rm -rf "$tree"

[ "$failures" = 0 ] && echo "setup: all cases passed"
exit "$failures"
