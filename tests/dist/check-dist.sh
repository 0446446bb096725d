#!/bin/sh
# Checks the files shipped with the Windows program:
#   check-dist.sh SOURCE_DIR
# dist/dimcheck.bat: Shift-JIS with CR LF line ends, the host's settings in
# the order it reads them, the program run synchronously with its errors
# logged; docs/guide-ja.md: every character has a Shift-JIS form (the build
# writes it as readme.txt).
set -eu
src=$1
bat=$src/dist/dimcheck.bat
status=0
fail() { echo "FAILED: $*"; status=1; }

# CR LF everywhere: no LF without a CR before it, no CR without an LF after it.
[ "$(tr -d '\n' <"$bat" | tr -cd '\r' | wc -c)" -eq "$(tr -cd '\n' <"$bat" | wc -c)" ] ||
    fail "dimcheck.bat has a line end other than CR LF"
[ "$(tail -c 2 "$bat" | od -An -tx1 | tr -d ' ')" = 0d0a ] ||
    fail "dimcheck.bat does not end with CR LF"
utf8=$(iconv -f CP932 -t UTF-8 "$bat" 2>/dev/null) || fail "dimcheck.bat is not Shift-JIS"
# A Shift-JIS trail byte 0x5C, 0x5E or 0x7C would be a backslash, caret or
# pipe to cmd; the file has none of these bytes at all.
[ "$(tr -cd '\134\136\174' <"$bat" | wc -c)" -eq 0 ] ||
    fail "dimcheck.bat holds a byte 0x5C, 0x5E or 0x7C"

export LC_ALL=C.UTF-8
text=$(printf '%s\n' "$utf8" | tr -d '\r')
first=$(printf '%s\n' "$text" | sed -n 1p)
case "$first" in
"REM "*) ;;
*) fail "the first line is not the REM line with the menu text" ;;
esac
[ -n "$(printf '%s' "$first" | LC_ALL=C tr -d '\000-\177')" ] ||
    fail "the menu text has no Japanese in it"
settings=$(printf '%s\n' "$text" | grep '^REM #' | sed 's/^REM \(#[a-z0-9]*\).*/\1/' | tr '\n' ' ')
[ "$settings" = "#jww #cd #h1 #hc #e " ] ||
    fail "host settings are '$settings', expected '#jww #cd #h1 #hc #e '"
[ -n "$(printf '%s\n' "$text" | sed -n 's/^REM #hc *//p')" ] || fail "REM #hc has no prompt"
printf '%s\n' "$text" | grep -qiE '#(zc|gn)' && fail "dimcheck.bat names #zc or #gn"
commands=$(printf '%s\n' "$text" | grep -viE '^@?rem( |$)')
printf '%s\n' "$commands" | grep -qiE '(^|[ &(])start( |$)' && fail "dimcheck.bat uses start"
runs=$(printf '%s\n' "$commands" | grep -ci 'dimcheck\.exe' || true)
[ "$runs" -eq 1 ] || fail "dimcheck.bat should run dimcheck.exe on exactly one line ($runs)"
printf '%s\n' "$commands" | grep -i 'dimcheck\.exe' | grep -q '2>"%~dp0dimcheck\.log"' ||
    fail "dimcheck.exe's standard error does not go to dimcheck.log beside the batch file"
printf '%s\n' "$text" | grep -q -- '-b' || fail "the comments do not explain -b"

iconv -f UTF-8 -t CP932 "$src/docs/guide-ja.md" >/dev/null 2>&1 ||
    fail "docs/guide-ja.md has a character without a Shift-JIS form"

[ $status -eq 0 ] && echo "dist/dimcheck.bat and docs/guide-ja.md as the host needs them"
exit $status
