#!/bin/sh
# A folder check's pages as a browser shows them: headless Chromium renders
# the index and a picture, and ImageMagick reads the screenshots.
#   browser-test.sh DIMCHECK JWW_COMPOSE SOURCE_DIR
# Checks: the index lists the worst group first; a text holding markup stays
# text; the Ｘ of a wrong value is drawn in the marks' colour where its two
# strokes cross; a Japanese word is drawn in glyphs, not in the boxes of a
# missing font. Exits 77 (skipped) without Chromium, except in CI.
set -eu
exe=$1 compose=$2 src=$3
if ! command -v chromium >/dev/null || ! command -v convert >/dev/null; then
    echo "browser test skipped: chromium or ImageMagick not installed"
    [ "${CI:-}" = true ] && exit 1
    exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
fail() { echo "FAILED: $*"; status=1; }
status=0
mkdir -p set/平面図
"$compose" "$src/tests/jww/drawings/check-plan.txt" set/plan.jww
"$compose" "$src/tests/jww/drawings/check-hostile.txt" set/平面図/hostile.jww
"$exe" --check --out out set >/dev/null 2>&1 || true
browser() {
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$scratch/profile" --hide-scrollbars "$@" 2>/dev/null
}

# The rows in their order: most crosses first.
browser --dump-dom "file://$scratch/out/index.html" >index.dom
rows=$(grep -o '<tr class="[^"]*"><td>[^<]*</td><td>[^<]*</td>' index.dom | sed 's/<[^>]*>/ /g' | tr -s ' ')
expected=" 平面図/hostile.jww 0 
 plan.jww 0 
 plan.jww 1 
 plan.jww 2 "
[ "$rows" = "$expected" ] || fail "index rows: $rows"

# Markup in a text is text: escaped in the picture's DOM, no element made of it.
browser --dump-dom "file://$scratch/out/pictures/0002-hostile-0.svg" >hostile.dom
grep -q '&lt;script&gt;alert(1)&lt;/script&gt;' hostile.dom || fail "the <script> text is not shown as text"
grep -qi '<script\|<img' hostile.dom && fail "a text of the drawing became an element"

# Where a user-space point (x, y) of the picture lands in a W x H screenshot:
# the viewBox scaled to fit, centred.
svg=out/pictures/0001-plan-0.svg
box=$(sed -n 's/.*viewBox="\([^"]*\)".*/\1/p' "$svg")
pixel() { # X Y -> "px py"
    echo "$box $1 $2" | awk '{ s = 1000 / $3; if (800 / $4 < s) s = 800 / $4
        printf "%d %d\n", (1000 - $3 * s) / 2 + ($5 - $1) * s, (800 - $4 * s) / 2 + ($6 - $2) * s }'
}
browser --window-size=1000,800 --screenshot="$scratch/plan.png" "file://$scratch/$svg" >/dev/null

# The Ｘ: the two mark strokes with the same middle.
centre=$(sed -n '/id="marks"/,$p' "$svg" | sed -n 's/.*<line x1="\([^"]*\)" y1="\([^"]*\)" x2="\([^"]*\)" y2="\([^"]*\)".*/\1 \2 \3 \4/p' |
    awk '{ m = ($1 + $3) / 2 " " ($2 + $4) / 2; if (m in seen) { print m; exit } seen[m] = 1 }')
[ -n "$centre" ] || fail "no Ｘ among the marks of $svg"
set -- $(pixel $centre)
colour=$(convert plan.png -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:)
echo "$colour" | awk '{ exit !($1 > 220 && $2 > 70 && $2 < 140 && $3 < 60) }' ||
    fail "the Ｘ's middle at ($1, $2) is $colour, not the marks' colour #ff6600"

# 洋室 spans its base line: two glyph cells side by side, each with ink,
# unlike each other (a missing font draws the same box twice).
word=$(grep -o '<text x="[^"]*" y="[^"]*" font-size="[^"]*"[^>]*textLength="[^"]*"[^>]*>洋室<' "$svg" |
    sed 's/<text x="\([^"]*\)" y="\([^"]*\)" font-size="\([^"]*\)".*textLength="\([^"]*\)".*/\1 \2 \3 \4/')
[ -n "$word" ] || fail "洋室 is not in $svg"
set -- $word
x=$1 y=$2 size=$3 length=$4
set -- $(pixel "$x" "$y") $(pixel "$(echo "$x $length" | awk '{ print $1 + $2 / 2 }')" "$(echo "$y $size" | awk '{ print $1 - $2 }')")
w=$(($3 - $1)) h=$(($2 - $4))
# Each glyph cut to its ink: a missing font's boxes are the same picture twice.
convert plan.png -crop "${w}x${h}+$1+$4" +repage -colorspace gray -threshold 60% -trim +repage first.png
convert plan.png -crop "${w}x${h}+$3+$4" +repage -colorspace gray -threshold 60% -trim +repage second.png
for glyph in first second; do
    ink=$(convert $glyph.png -format '%[fx:int(w*h*(1-mean))]' info:)
    [ "$ink" -gt 20 ] || fail "洋室: the $glyph glyph has no ink ($ink pixels)"
done
set -- $(convert first.png second.png -format '%wx%h ' info:)
differ=$(compare -metric AE first.png second.png null: 2>&1 || true)
[ "$1" != "$2" ] || [ "${differ%% *}" -gt 20 ] 2>/dev/null ||
    fail "洋室: the two glyphs are alike ($1, $differ pixels differ): boxes, not Japanese"
[ $status -eq 0 ] && echo "index order, escaped texts, the Ｘ's colour and Japanese glyphs as a browser shows them"
exit $status
