#!/bin/sh
# Unpacks the Windows package and uses it under Wine as an operator would:
#   package-test.sh ZIP LINUX_DIMCHECK SOURCE_DIR WINEPREFIX CMAKE
# The packaged dimcheck.exe, started directly and through dimcheck.bat as the
# host starts it (in the batch file's own folder), must rewrite the sample
# drawing exactly as the Linux program does, with CR LF line ends.
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
for f in dimcheck.exe dimcheck.bat readme.txt LICENSE.txt; do
    [ -f "$pkg/$f" ] || fail "$f missing from the package"
done
[ "$(ls "$pkg" | wc -l)" -eq 4 ] || fail "unexpected files in the package: $(ls "$pkg")"
cmp -s "$pkg/dimcheck.bat" "$src/dist/dimcheck.bat" || fail "dimcheck.bat differs from dist/"
iconv -f UTF-8 -t CP932 "$src/docs/guide-ja.md" | sed 's/$/\r/' | cmp -s - "$pkg/readme.txt" ||
    fail "readme.txt is not docs/guide-ja.md in Shift-JIS with CR LF"
crlf "$src/LICENSE" | cmp -s - "$pkg/LICENSE.txt" || fail "LICENSE.txt is not LICENSE with CR LF"

# What the Linux program makes of the sample.
mkdir linux
cp "$src/samples/plan.jwc" linux/JWC_TEMP.TXT
(cd linux && "$linux" >/dev/null 2>&1) || fail "the Linux program failed on the sample"
crlf linux/JWC_TEMP.TXT >expected

# The packaged program, started directly.
cp "$src/samples/plan.jwc" "$pkg/JWC_TEMP.TXT"
status=0
(cd "$pkg" && wine ./dimcheck.exe >../stdout 2>../stderr) || status=$?
[ $status -eq 0 ] || fail "dimcheck.exe ended with status $status"
cmp -s "$pkg/JWC_TEMP.TXT" expected || fail "dimcheck.exe wrote another result than the Linux program"
[ ! -s stderr ] || fail "dimcheck.exe wrote to standard error: $(cat stderr)"
[ ! -e "$pkg/JWC_TEMP.\$\$\$" ] || fail "the working copy was left behind"

# Through the registration file, as the host runs it.
cp "$src/samples/plan.jwc" "$pkg/jwc_temp.txt"
(cd "$pkg" && wine cmd /c dimcheck.bat >/dev/null 2>&1) || fail "dimcheck.bat failed"
[ -f "$pkg/JWC_TEMP.TXT" ] || fail "no JWC_TEMP.TXT after dimcheck.bat"
cmp -s "$pkg/JWC_TEMP.TXT" expected || fail "dimcheck.bat gave another result than the Linux program"
[ -f "$pkg/dimcheck.log" ] || fail "dimcheck.bat wrote no dimcheck.log"
[ ! -s "$pkg/dimcheck.log" ] || fail "dimcheck.log is not empty: $(cat "$pkg/dimcheck.log")"

# Without an exchange file the reason lands in the log.
rm "$pkg/JWC_TEMP.TXT"
(cd "$pkg" && wine cmd /c dimcheck.bat >/dev/null 2>&1) || true
printf 'Cannot open file: JWC_TEMP.TXT\r\n' | cmp -s - "$pkg/dimcheck.log" ||
    fail "dimcheck.log does not name the missing exchange file: $(cat "$pkg/dimcheck.log")"

echo "package $pkg: contents, sample run and registration file as expected"
