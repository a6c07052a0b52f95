#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) as the Debian package would lay it out and
# checks what arrived: exactly the expected files, a valid desktop entry, manual pages that man
# finds and shows, a udev rule for the scanner's bridge, and programs that run from there.
#
#   check-install.sh BUILD_DIR EXPECTED_FILES
set -euo pipefail
build=$1
expected=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 ||
  { cat "$stage.log" >&2; rm -f "$stage.log"; fail "cmake --install failed"; }
rm -f "$stage.log"

actual=$(cd "$stage" && find . \( -type f -o -type l \) | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort "$expected")" ]; then
  diff <(LC_ALL=C sort "$expected") <(echo "$actual") >&2 || true
  fail "the installed files differ from $expected (< expected, > installed)"
fi

desktop-file-validate "$stage/usr/share/applications/qx770-demo.desktop" ||
  fail "desktop-file-validate refused the desktop entry"

for page in qx770-demo qx770 qx770-scanner-sim; do
  found=$(LC_ALL=C MANPATH="$stage/usr/share/man" man -w "$page") || fail "man does not find $page"
  [ "$found" = "$stage/usr/share/man/man1/$page.1.gz" ] || fail "man finds $page at $found"
done
text=$(LC_ALL=C MANPATH="$stage/usr/share/man" MANWIDTH=100 man -P cat qx770 2>/dev/null)
for word in "qx770 devices" "--serial" "measure"; do
  grep -qF -- "$word" <<<"$text" || fail "the manual page of qx770 does not mention '$word'"
done

rule="$stage/usr/lib/udev/rules.d/70-qx770.rules"
for word in 'ATTRS{product}=="D2XX Recovery PID for XP"' 'TAG+="uaccess"' 'GROUP="dialout"' \
            'ATTR{latency_timer}="1"' 'SYMLINK+="qx770-'; do
  grep -qF -- "$word" "$rule" || fail "the udev rule lacks $word"
done

ASAN_OPTIONS=detect_leaks=0 "$stage/usr/bin/qx770" --help >/dev/null || fail "installed qx770 does not run"
echo "check-install: $(wc -l <"$expected") files installed as expected"
