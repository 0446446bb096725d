#!/bin/sh
# Unpacks the Windows package and uses it under Wine as an operator would:
#   package-test.sh ZIP LINUX_DIMCHECK SOURCE_DIR WINEPREFIX CMAKE
# The packaged dimcheck.exe, run directly and through both registration files,
# rewrites the sample as the Linux program does, with CR LF line ends.
set -eu
zip=$1 linux=$2 src=$3 cmake=$5
export WINEPREFIX="$4" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
fail() { echo "FAILED: $*"; exit 1; }
crlf() { sed 's/$/\r/' "$1"; }

"$cmake" -E tar xf "$zip"
pkg=$(basename "$zip" .zip)
[ -d "$pkg" ] || fail "$zip does not unpack into $pkg/"
for f in dimcheck.exe dimcheck.bat dimcheck-explain.bat dimcheck-check.bat check-picture.png readme.txt LICENSE.txt; do
    [ -f "$pkg/$f" ] || fail "no $f"
done
[ "$(ls "$pkg" | wc -l)" -eq 7 ] || fail "unexpected files in the package: $(ls "$pkg")"
for f in dimcheck.bat dimcheck-explain.bat dimcheck-check.bat; do
    cmp -s "$pkg/$f" "$src/dist/$f" || fail "$f differs from dist/"
done
version=${pkg#dimcheck-} version=${version%-win64}
sed "s/@VERSION@/$version/g" "$src/docs/guide-ja.md" | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' |
    cmp -s - "$pkg/readme.txt" || fail "readme.txt is not docs/guide-ja.md (version $version) in Shift-JIS with CR LF"
crlf "$src/LICENSE" | cmp -s - "$pkg/LICENSE.txt" || fail "LICENSE.txt is not LICENSE with CR LF"

# What the Linux program makes of the sample: linux_run OPTIONS OUT leaves its
# result with CR LF in OUT and its report in linux/.
mkdir linux
linux_run() {
    cp "$src/samples/plan.jwc" linux/JWC_TEMP.TXT
    # shellcheck disable=SC2086 # the options are words
    (cd linux && "$linux" $1 >/dev/null 2>&1) || fail "the Linux program failed on the sample with '$1'"
    crlf linux/JWC_TEMP.TXT >"$2"
}
# The options a registration file runs the program with.
options_of() { tr -d '\r' <"$src/dist/$1" | sed -n 's/^"%~dp0dimcheck\.exe" \(.*\)>nul 2>.*/\1/p'; }
plain_options=$(options_of dimcheck.bat) explain_options=$(options_of dimcheck-explain.bat)
linux_run "" expected

# The packaged program, started directly.
cp "$src/samples/plan.jwc" "$pkg/JWC_TEMP.TXT"
status=0
(cd "$pkg" && wine ./dimcheck.exe >../stdout 2>../stderr) || status=$?
[ $status -eq 0 ] || fail "dimcheck.exe ended with status $status"
cmp -s "$pkg/JWC_TEMP.TXT" expected || fail "dimcheck.exe wrote another result than the Linux program"
[ ! -s stderr ] || fail "dimcheck.exe wrote to standard error: $(cat stderr)"
[ ! -e "$pkg/JWC_TEMP.\$\$\$" ] || fail "the working copy was left behind"

# Through the registration files as the host runs them, from an awkward folder.
# bat FILE STATUS_LINE LOG: afterwards JWC_TEMP.TXT holds STATUS_LINE or, if that
# is empty, only the message naming dimcheck.log; dimcheck.log holds LOG ("-": any).
mv "$pkg" "寸法 チェック (x86)"
pkg="寸法 チェック (x86)"
bat() {
    (cd "$pkg" && wine cmd /c "$1" >/dev/null 2>&1) || true
    [ "$(grep -a '^h#' "$pkg/JWC_TEMP.TXT" || true)" = "$2" ] || fail "$1 did not leave the status line '$2'"
    [ -n "$2" ] || { [ "$(wc -l <"$pkg/JWC_TEMP.TXT")" -eq 1 ] && LC_ALL=C grep -aq "^he  .*dimcheck\.log.*$(printf '\r')\$" "$pkg/JWC_TEMP.TXT"; } ||
        fail "$1 left the host no message naming dimcheck.log: $(cat "$pkg/JWC_TEMP.TXT")"
    [ "$3" = - ] || { [ -z "$3" ] || printf '%s\r\n' "$3"; } | cmp -s - "$pkg/dimcheck.log" ||
        fail "$1: dimcheck.log is not '$3': $(cat "$pkg/dimcheck.log")"
}
linux_run "$explain_options" explained
cp "$src/samples/plan.jwc" "$pkg/jwc_temp.txt"
bat dimcheck-explain.bat "$(grep -a '^h#' explained)" ""
cmp -s "$pkg/JWC_TEMP.TXT" explained && cmp -s "$pkg/dimcheck.csv" linux/dimcheck.csv ||
    fail "dimcheck-explain.bat gave another result or report than the Linux program with $explain_options"
linux_run "$plain_options" plain
cp "$src/samples/plan.jwc" "$pkg/jwc_temp.txt"
bat dimcheck.bat "$(grep -a '^h#' plain)" ""
cmp -s "$pkg/JWC_TEMP.TXT" plain || fail "dimcheck.bat gave another result than the Linux program with $plain_options"
# A result with an error record (status 1) stays as the program wrote it.
printf 'hd\r\n' >"$pkg/JWC_TEMP.TXT"
# shellcheck disable=SC2086 # the options are words
(cd linux && printf 'hd\n' >JWC_TEMP.TXT && { "$linux" $plain_options >/dev/null 2>&1 || true; } && crlf JWC_TEMP.TXT >../no-text)
bat dimcheck.bat "$(grep -a '^h#' no-text)" ""
cmp -s "$pkg/JWC_TEMP.TXT" no-text || fail "dimcheck.bat changed the program's error result"
# No result written (status 3: a folder under the result's temporary name; -1; no program): the message and the reason.
mkdir "$pkg/JWC_TEMP.\$\$R" && bat dimcheck.bat "" - && grep -q '^Cannot open file: JWC_TEMP.TXT$' "$pkg/dimcheck.log" ||
    fail "status 3: the reason is not in dimcheck.log: $(cat "$pkg/dimcheck.log")"
rm -r "$pkg/JWC_TEMP.TXT" "$pkg/JWC_TEMP.\$\$R"
bat dimcheck.bat "" "Cannot open file: JWC_TEMP.TXT"
# A folder dropped onto dimcheck-check.bat, its name holding characters cmd
# treats specially: its report lands beside it, named after it. (Wine's cmd,
# unlike Windows', drops a lone % from the command line it is started with,
# so % is not among them.)
drop="図面 A&B 済!"
mkdir -p "$drop/sub"
cp "$src/tests/jww/fixtures/miniArchive-test1.jww" "$drop/sub/"
(cd "$pkg" && wine cmd /c dimcheck-check.bat "$(winepath -w "../$drop")" </dev/null >/dev/null 2>&1) || true
LC_ALL=C grep -aq '^sub/miniArchive-test1.jww,0,1,0,0,0,' "$drop-dimcheck/summary.csv" ||
    fail "dimcheck-check.bat did not check the dropped folder into '$drop-dimcheck'"
rm "$pkg/dimcheck.exe"
cp "$src/samples/plan.jwc" "$pkg/JWC_TEMP.TXT"
bat dimcheck-explain.bat "" "Not found: dimcheck.exe"
echo "package $pkg: contents, sample run and registration files as expected"
