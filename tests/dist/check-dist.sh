#!/bin/sh
# Checks the files shipped with the Windows program:   check-dist.sh SOURCE_DIR
# dist/*.bat: Shift-JIS, CR LF, the host's settings and nothing it could take for
# one, the program run and logged in the batch file's own folder, a message for
# the host only when no result was written; docs/guide-ja.md: Shift-JIS-safe.
set -eu
src=$1
status=0
fail() { echo "FAILED: $*"; status=1; }

# Leaves in $run the batch file's run line and in $last its commands, LF-ended,
# with -e -r dropped from the run.
check_bat() { # FILE OPTIONS SETTINGS
    bat=$1 n=$(basename "$1")
    # CR LF everywhere: no LF without a CR before it, no CR without an LF after it.
    [ "$(tr -d '\n' <"$bat" | tr -cd '\r' | wc -c)" -eq "$(tr -cd '\n' <"$bat" | wc -c)" ] ||
        fail "$n has a line end other than CR LF"
    [ "$(tail -c 2 "$bat" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "$n does not end with CR LF"
    utf8=$(iconv -f CP932 -t UTF-8 "$bat" 2>/dev/null) || fail "$n is not Shift-JIS"
    # A Shift-JIS trail byte 0x5C, 0x5E or 0x7C would be a backslash, caret or
    # pipe to cmd; the file has none of these bytes at all.
    [ "$(tr -cd '\134\136\174' <"$bat" | wc -c)" -eq 0 ] || fail "$n holds a byte 0x5C, 0x5E or 0x7C"
    text=$(printf '%s\n' "$utf8" | tr -d '\r')
    first=$(printf '%s\n' "$text" | sed -n 1p)
    case "$first" in "REM "*) ;; *) fail "$n: the first line is not the REM line with the menu text" ;; esac
    [ -n "$(printf '%s' "$first" | LC_ALL=C tr -d '\000-\177')" ] || fail "$n: the menu text has no Japanese"
    # The host reads a '#' within a line's first 10 bytes as a setting.
    settings=$(LC_ALL=C tr -d '\r' <"$bat" | LC_ALL=C grep '^.\{0,9\}#' | LC_ALL=C sed 's/^REM \(#[a-z0-9]*\).*/\1/' | tr '\n' ' ')
    [ "$settings" = "$3" ] || fail "$n: settings are '$settings', expected '$3'"
    [ -n "$(printf '%s\n' "$text" | sed -n 's/^REM #hc *//p')" ] || fail "$n: REM #hc has no prompt"
    printf '%s\n' "$text" | grep -qiE '#(zc|gn)' && fail "$n names #zc or #gn"
    commands=$(printf '%s\n' "$text" | grep -viE '^@?rem( |$)')
    printf '%s\n' "$commands" | grep -qiE '(^|[ &(])start( |$)' && fail "$n uses start"
    [ "$(printf '%s\n' "$commands" | grep -c '^"%~dp0dimcheck\.exe"')" -eq 1 ] &&
        printf '%s\n' "$commands" | grep -qx "\"%~dp0dimcheck\\.exe\" $2>nul 2>\"%~dp0dimcheck\\.log\"" ||
        fail "$n does not run dimcheck.exe ${2}once, its errors into dimcheck.log beside it"
    printf '%s\n' "$commands" | tr '\n' ' ' | grep -q '^@echo off pushd "%~dp0" .* popd $' ||
        fail "$n does not run everything in its own folder (pushd, popd)"
    # Statuses 0, 1 and 2 mean a result was written; the host's message only otherwise.
    printf '%s\n' "$commands" | tr '\n' ' ' | grep -q 'dimcheck\.log" if errorlevel 3 goto failed if not errorlevel 0 goto failed goto done .*:failed echo he  [^>]*dimcheck\.log[^>]*>JWC_TEMP\.TXT :done popd $' ||
        fail "$n does not tell the host, only when no result was written, to read dimcheck.log"
    # The comments say what the options of the run do, how to take them off and
    # how to add the others.
    comments=$(printf '%s\n' "$text" | grep -iE '^@?rem( |$)')
    for option in -n -s -b -l; do
        printf '%s\n' "$comments" | grep -q -- "$option" || fail "$n: the comments do not explain $option"
    done
    run=$(printf '%s\n' "$commands" | grep '^"%~dp0dimcheck\.exe"')
    last=$(printf '%s\n' "$commands" | sed 's/exe"\(.*\) -e -r >/exe"\1 >/')
}
check_bat "$src/dist/dimcheck.bat" "-n -s " "#jww #cd #h1 #hc #e "
plain=$last plain_run=$run
check_bat "$src/dist/dimcheck-explain.bat" "-n -s -e -r " "#jww #cd #hf #h1 #hc #e "
[ "$plain" = "$last" ] || fail "dimcheck-explain.bat differs from dimcheck.bat in more than -e -r"

iconv -f UTF-8 -t CP932 "$src/docs/guide-ja.md" >/dev/null 2>&1 ||
    fail "docs/guide-ja.md has a character without a Shift-JIS form"
grep -q '@VERSION@' "$src/docs/guide-ja.md" || fail "docs/guide-ja.md has no @VERSION@ for the build"
grep -q '^|' "$src/docs/guide-ja.md" && fail "docs/guide-ja.md has a table, which Notepad shows as such"
# Every run line the guide tells operators to write is the batch files' with
# other options (added or taken off), and it shows both as shipped.
no_options='s/exe"\( -[A-Za-z0-9.]*\)* >/exe" >/'
grep '^ *"%~dp0dimcheck\.exe"' "$src/docs/guide-ja.md" | sed "s/^ *//; $no_options" |
    grep -qvxF "$(printf '%s\n' "$plain_run" | sed "$no_options")" && fail "docs/guide-ja.md shows a run line unlike the batch files'"
for shipped in "$plain_run" "$run"; do
    sed 's/^ *//' "$src/docs/guide-ja.md" | grep -qxF -- "$shipped" || fail "docs/guide-ja.md does not show the run line $shipped"
done

[ $status -eq 0 ] && echo "dist/*.bat and docs/guide-ja.md as the host needs them"
exit $status
