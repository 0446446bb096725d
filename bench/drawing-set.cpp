// A seeded set of Jw_cad drawings of realistic size, for timing the folder
// check (bench/check-set.sh), and the exchange files the host would write for
// each of their layer groups, so that the same selections can be timed as
// host runs.
//
//   dimcheck_drawing_set make DIR [COUNT [SEED]]
//       writes COUNT drawings (200, seed 1) as DIR/project-NN/sheet-NNN.jww
//       and prints what the set holds; the same count and seed give the same
//       bytes
//   dimcheck_drawing_set selections SET OUT
//       writes the exchange file of every layer group of every drawing under
//       SET as OUT/NNNN.txt, in the order and under the names the folder
//       check uses, and OUT/list.txt: one line "NNNN GROUP RECORDS TEXTS NAME"
//       per file
//
// Every sheet is a floor plan as an office draws it: walls with doors and
// windows, grid lines, rooms, furniture placed as blocks, wet rooms tiled,
// 5 to 20 dimension chains of 5 to 12 spans with point, small-circle or
// arrow ends (some as the host's dimension objects), values written by the
// dimension command or typed, a few of them wrong; 2 to 4 layer groups at
// 1:100, 1:50 and 1:20 (the 1:20 one a section detail, hatched and
// annotated); a frame with the title block and an area table.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "common/kit.h"
#include "control/drawing.h"
#include "jww/compose.h"
#include "jww/reader.h"
#include "jww/selection.h"

namespace {

namespace fs = std::filesystem;
using dimcheck::test::Rng;

constexpr double kPi = 3.14159265358979323846;
constexpr const char kFont[] = "ＭＳ ゴシック";

// The composed header's text kinds: kind k is k + 1 mm wide and high, k / 4 mm
// between characters.
double kind_size(int kind) { return kind + 1.0; }
double kind_spacing(int kind) { return kind / 4.0; }

// What the set holds, for the line printed at the end.
struct Tally {
    long drawings = 0, groups = 0, elements = 0, in_blocks = 0, texts = 0, values = 0;
    long wrong = 0, chains = 0, spans = 0, utf16 = 0, old_version = 0, bytes = 0;
    long smallest = 0, largest = 0;  // elements of one drawing
};

std::string format(const char* fmt, ...) {
    char buf[1024];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

// Shift-JIS bytes and characters of a UTF-8 body: ASCII takes one byte, the
// rest (all full-width here) two.
void measure(const std::string& body, int& bytes, int& chars) {
    bytes = chars = 0;
    for (unsigned char c : body) {
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte
        ++chars;
        bytes += c < 0x80 ? 1 : 2;
    }
}

// A length as an office writes it: thousands separated (or not), at most one
// decimal, in full-width digits when typed with the input method on.
std::string value_text(double v, bool commas, bool full_width) {
    const long tenths = std::lround(v * 10);
    std::string digits = std::to_string(std::labs(tenths) / 10);
    std::string out = tenths < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (commas && i != 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    if (tenths % 10 != 0) out += "." + std::to_string(std::labs(tenths) % 10);
    if (!full_width) return out;
    std::string wide;
    for (char c : out) {
        if (c >= '0' && c <= '9') {
            wide += "\xEF\xBC";
            wide += static_cast<char>(0x90 + (c - '0'));
        } else if (c == ',') {
            wide += "，";
        } else if (c == '.') {
            wide += "．";
        } else {
            wide += "－";
        }
    }
    return wide;
}

// Where a layer group's drawing lies on the sheet: real millimetres from the
// building's corner to paper millimetres.
struct Place {
    int group = 0;
    double scale = 100;
    double ox = 0, oy = 0;
    double x(double real) const { return ox + real / scale; }
    double y(double real) const { return oy + real / scale; }
    double paper(double real) const { return real / scale; }
    double real(double paper) const { return paper * scale; }
};

enum Ends { kPoints, kCircles, kArrows };
enum Value { kCommand, kFlagged, kTyped };  // 0x4010, 0x0010, plain text

struct Chain {
    bool vertical = false;      // runs along y
    double at = 0;              // the dimension line across (real)
    double edge = 0;            // where the extension lines start (real)
    std::vector<double> spots;  // the end points along (real)
    Ends ends = kPoints;
    Value value = kCommand;
};

class Sheet {
public:
    Sheet(Rng& r, Tally& tally) : r_(r), tally_(tally) {}

    std::string compose() {
        version_ = r_.below(10) == 0 ? 600 : 700;
        utf16_ = version_ == 700 && r_.below(10) < 3;
        commas_ = r_.below(5) != 0;
        objects_ = r_.below(5) == 0;
        const int groups = 2 + r_.below(3);
        const int chains = 5 + r_.below(16);

        head_ += format("version %d\nstrings %s\n", version_, utf16_ ? "utf16" : "sjis");
        if (r_.chance(30)) head_ += "memo \"確認用\"\n";

        // The groups side by side on the sheet: 1:100 first, then the larger
        // scales, the last of four a second 1:100 floor.
        std::vector<int> per_group(groups, 1);
        for (int c = groups; c < chains; ++c) ++per_group[r_.below(groups)];
        double left = 0;
        for (int g = 0; g < groups; ++g) {
            static const double scales[] = {100, 50, 20, 100};
            static const char* const names[] = {"1階平面図", "部分詳細図", "矩計図", "2階平面図"};
            Place p;
            p.group = g;
            p.scale = scales[g];
            p.ox = left;
            p.oy = 0;
            head_ += format("group %d scale %g name \"%s\"\n", g, p.scale, names[g]);
            for (int l = 0; l < 9; ++l) {
                static const char* const layers[] = {"通り芯", "壁",   "建具", "寸法", "文字",
                                                     "家具",   "仕上", "外構", "図枠"};
                head_ += format("layer %d %d name \"%s\"\n", g, l, layers[l]);
            }
            const double width = p.scale == 20 ? detail(p, per_group[g]) : plan(p, per_group[g]);
            left += width + 90;
        }
        hidden_parts(left);
        title_block(left);
        settings();
        blocks();

        tally_.elements += elements_;
        tally_.in_blocks += in_blocks_;
        tally_.utf16 += utf16_;
        tally_.old_version += version_ != 700;
        tally_.groups += groups;
        return head_ + body_ + tail_;
    }

    long elements() const { return elements_ + in_blocks_; }

private:
    // --- Elements -----------------------------------------------------------

    static std::string base(const Place& p, int layer, const std::string& more = "") {
        return format(" group=%d layer=%d", p.group, layer) + more;
    }
    void element(const std::string& statement) {
        body_ += statement;
        body_ += '\n';
        ++elements_;
    }
    void line(const Place& p, int layer, double x1, double y1, double x2, double y2,
              const std::string& more = "") {
        element(format("line %.4f %.4f %.4f %.4f", p.x(x1), p.y(y1), p.x(x2), p.y(y2)) +
                base(p, layer, more));
    }
    void rect(const Place& p, int layer, double x1, double y1, double x2, double y2,
              const std::string& more = "") {
        line(p, layer, x1, y1, x2, y1, more);
        line(p, layer, x2, y1, x2, y2, more);
        line(p, layer, x2, y2, x1, y2, more);
        line(p, layer, x1, y2, x1, y1, more);
    }
    void circle(const Place& p, int layer, double x, double y, double radius) {
        element(format("circle %.4f %.4f %.4f", p.x(x), p.y(y), p.paper(radius)) + base(p, layer));
    }
    void point(const Place& p, int layer, double x, double y) {
        element(format("point %.4f %.4f", p.x(x), p.y(y)) + base(p, layer));
    }
    // A text of kind `kind` whose base line starts at (x, y) real, turned by
    // `angle` degrees, as long as its characters are drawn.
    std::string text_statement(const Place& p, int layer, int kind, double x, double y,
                               double angle, const std::string& body, const std::string& more) {
        const double along = text_length(kind, body);
        const double a = angle * kPi / 180;
        const double px = p.x(x), py = p.y(y);
        return format("text %.4f %.4f %.4f %.4f %d %g %g %g %g \"%s\" \"%s\"", px, py,
                      px + along * std::cos(a), py + along * std::sin(a), kind, kind_size(kind),
                      kind_size(kind), kind_spacing(kind), angle, kFont, body.c_str()) +
               base(p, layer, more);
    }
    void text(const Place& p, int layer, int kind, double x, double y, double angle,
              const std::string& body, const std::string& more = "") {
        element(text_statement(p, layer, kind, x, y, angle, body, more));
        ++tally_.texts;
    }
    // Paper length of a text: half the width for a one-byte character.
    static double text_length(int kind, const std::string& body) {
        int bytes = 0, chars = 0;
        measure(body, bytes, chars);
        return bytes * kind_size(kind) / 2 + (chars - 1) * kind_spacing(kind);
    }
    // A text centred on (x, y) real.
    void centred(const Place& p, int layer, int kind, double x, double y, const std::string& body) {
        text(p, layer, kind, x - p.real(text_length(kind, body)) / 2,
             y - p.real(kind_size(kind)) / 2, 0, body);
    }
    void insert(const Place& p, int layer, double x, double y, double turn, int number,
                bool mirrored = false) {
        const double s = 100 / p.scale;
        element(format("insert %.4f %.4f %g %g %.17g %d", p.x(x), p.y(y), mirrored ? -s : s, s,
                       turn, number) +
                base(p, layer));
    }
    // Lines at 45 degrees, `spacing` apart (real), clipped to a rectangle.
    void hatch(const Place& p, int layer, double x1, double y1, double x2, double y2,
               double spacing) {
        // Lines x - y = c for c across the rectangle's range.
        for (double c = x1 - y2 + spacing / 2; c < x2 - y1; c += spacing) {
            const double ax = std::max(x1, c + y1), bx = std::min(x2, c + y2);
            if (bx - ax > 1e-6) line(p, layer, ax, ax - c, bx, bx - c, " colour=3");
        }
    }

    // --- A floor plan ---------------------------------------------------------

    // Grid positions from 0: `count` spans drawn from `spans`.
    std::vector<double> grid(int count, const std::vector<double>& spans) {
        std::vector<double> at = {0};
        for (int i = 0; i < count; ++i) at.push_back(at.back() + spans[r_.below(spans.size())]);
        return at;
    }

    // Returns the drawing's width on paper.
    double plan(const Place& p, int chains) {
        const std::vector<double> spans =
            p.scale == 100 ? std::vector<double>{910, 1365, 1820, 1820, 2730, 3640}
                           : std::vector<double>{455, 910, 910, 1365, 1820};
        const std::vector<double> xs = grid(5 + r_.below(8), spans);
        const std::vector<double> ys = grid(5 + r_.below(8), spans);
        const double w = xs.back(), h = ys.back();

        // Grid lines with their bubbles, past the dimension chains.
        const double reach = p.real(42);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            line(p, 0, xs[i], -reach, xs[i], h + reach, " type=6 colour=6");
            circle(p, 0, xs[i], -reach - p.real(4), p.real(4));
            centred(p, 0, 2, xs[i], -reach - p.real(4), "X" + std::to_string(i + 1));
        }
        for (std::size_t j = 0; j < ys.size(); ++j) {
            line(p, 0, -reach, ys[j], w + reach, ys[j], " type=6 colour=6");
            circle(p, 0, -reach - p.real(4), ys[j], p.real(4));
            centred(p, 0, 2, -reach - p.real(4), ys[j], "Y" + std::to_string(j + 1));
        }

        // Walls along every outer grid line, inside along most others, with
        // windows outside and doors inside.
        for (std::size_t j = 0; j < ys.size(); ++j)
            for (std::size_t i = 0; i + 1 < xs.size(); ++i)
                maybe_wall(p, false, ys[j], xs[i], xs[i + 1], j == 0 || j + 1 == ys.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            for (std::size_t j = 0; j + 1 < ys.size(); ++j)
                maybe_wall(p, true, xs[i], ys[j], ys[j + 1], i == 0 || i + 1 == xs.size());
        // Columns at the outer corners: solids, which are never handed over.
        for (double x : {0.0, w})
            for (double y : {0.0, h})
                element(format("solid %.4f %.4f %.4f %.4f %.4f %.4f %.4f %.4f", p.x(x - 60),
                               p.y(y - 60), p.x(x + 60), p.y(y - 60), p.x(x - 60), p.y(y + 60),
                               p.x(x + 60), p.y(y + 60)) +
                        base(p, 1));

        // Rooms: names, fittings, furniture.
        for (std::size_t j = 0; j + 1 < ys.size(); ++j)
            for (std::size_t i = 0; i + 1 < xs.size(); ++i)
                if (r_.chance(35)) room(p, xs[i], ys[j], xs[i + 1], ys[j + 1]);

        // Outside: the site's boundary and trees.
        const double site = p.real(30);
        rect(p, 7, -site, -site, w + site, h + site, " type=3 colour=5");
        for (int t = 3 + r_.below(8); t > 0; --t)
            circle(p, 7, r_.range(0, w), h + p.real(r_.range(4, 26)), p.real(r_.range(2, 4)));

        dimensions(p, xs, ys, chains);
        return p.paper(w) + 60;
    }

    // A wall along x (or y when `upright`) at `across`, from `from` to `to`,
    // 150 thick; outer ones always, inner ones mostly.
    void maybe_wall(const Place& p, bool upright, double across, double from, double to,
                    bool outer) {
        if (!outer && !r_.chance(60)) return;
        auto seg = [&](int layer, double a1, double c1, double a2, double c2,
                       const std::string& more = "") {
            if (upright)
                line(p, layer, c1, a1, c2, a2, more);
            else
                line(p, layer, a1, c1, a2, c2, more);
        };
        const double t = 75;
        const double span = to - from;
        const bool opening = span >= 900 && r_.chance(outer ? 50 : 40);
        if (!opening) {
            seg(1, from, across - t, to, across - t);
            seg(1, from, across + t, to, across + t);
            return;
        }
        const double width = std::min(span - 300, outer ? 1690.0 : 780.0);
        const double mid = (from + to) / 2, a = mid - width / 2, b = mid + width / 2;
        for (double side : {-t, t}) {
            seg(1, from, across + side, a, across + side);
            seg(1, b, across + side, to, across + side);
        }
        seg(1, a, across - t, a, across + t);
        seg(1, b, across - t, b, across + t);
        if (outer) {  // a window: frame and glass
            for (double off : {-t, -20.0, 20.0, t}) seg(2, a, across + off, b, across + off);
            return;
        }
        // A door: its leaf and swing.
        seg(2, a, across, a, across + width);
        const double start = upright ? kPi : 0;
        const double cx = upright ? across : a, cy = upright ? a : across;
        element(format("arc %.4f %.4f %.4f %.17g %.17g 0 1 0", p.x(cx), p.y(cy), p.paper(width),
                       start, kPi / 2) +
                base(p, 2, " type=2"));
    }

    void room(const Place& p, double x1, double y1, double x2, double y2) {
        static const char* const names[] = {"洋室", "寝室",   "子供室", "LDK",  "和室",
                                            "浴室", "洗面所", "トイレ", "玄関", "ホール",
                                            "収納", "WIC",    "廊下",   "階段", "書斎"};
        static const int small[] = {7, 10, 11, 12};
        const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, w = x2 - x1, h = y2 - y1;
        const int kind = w * h < 1.5e6 ? small[r_.below(4)] : r_.below(15);
        std::string name = names[kind];
        if (kind <= 2 && r_.chance(50))
            name += "(" + std::to_string(static_cast<int>(w * h / 1.62e6 + 0.5)) + "帖)";
        centred(p, 4, 2, cx, cy + p.real(2), name);
        if (r_.chance(20)) centred(p, 4, 1, cx, cy - p.real(3), "CH=2,400");

        if (kind <= 1 && w > 1100 && h > 2100) insert(p, 5, x1 + 200, y1 + 200, 0, 2);
        if (kind == 3 && w > 2600 && h > 1000) {
            insert(p, 5, x1 + 150, y2 - 800, 0, 5);
            if (w > 1800 && h > 1800) insert(p, 5, cx - 750, cy - 425, 0, 1);
        }
        if (kind == 4) {  // tatami
            for (double x = x1 + 910; x < x2 - 10; x += 910) line(p, 6, x, y1, x, y2, " colour=2");
            line(p, 6, x1, cy, x2, cy, " colour=2");
        }
        if (kind == 5) {  // tiles and the bath
            for (double x = x1 + 150; x < x2; x += 150) line(p, 6, x, y1, x, y2, " colour=2");
            for (double y = y1 + 150; y < y2; y += 150) line(p, 6, x1, y, x2, y, " colour=2");
            if (w > 1700 && h > 900) insert(p, 5, x1 + 50, y1 + 50, 0, 6);
        }
        if (kind == 6 && h > 800) insert(p, 5, x2 - 100, y1 + 100, kPi / 2, 4, r_.chance(30));
        if (kind == 7) insert(p, 5, cx, y2 - 100, kPi, 3);
        if (kind == 13) {  // treads and the arrow up
            for (double y = y1 + 200; y < y2; y += 200) line(p, 6, x1, y, x2, y);
            line(p, 6, cx, y1 + 100, cx, y2 - 100);
            const double tip = y2 - 100, l = p.real(2.5);
            line(p, 6, cx, tip, cx - l * std::sin(0.4), tip - l * std::cos(0.4));
            line(p, 6, cx, tip, cx + l * std::sin(0.4), tip - l * std::cos(0.4));
            centred(p, 4, 1, cx, y1 + 300, "UP");
        }
    }

    // --- A section detail -----------------------------------------------------

    double detail(const Place& p, int chains) {
        const std::vector<double> spans = {45, 52.5, 60, 90, 105, 105, 120, 150, 200, 240, 303};
        const std::vector<double> xs = grid(5 + r_.below(8), spans);
        const std::vector<double> ys = grid(5 + r_.below(8), spans);
        const double w = xs.back(), h = ys.back();
        for (double x : xs) line(p, 1, x, 0, x, h);
        for (double y : ys) line(p, 1, 0, y, w, y);
        for (std::size_t j = 0; j + 1 < ys.size(); ++j)
            for (std::size_t i = 0; i + 1 < xs.size(); ++i)
                if (r_.chance(40)) hatch(p, 6, xs[i], ys[j], xs[i + 1], ys[j + 1], p.real(1.5));

        // Notes with leaders out to the right, some ending in an arrow.
        static const char* const notes[] = {
            "構造用合板 t=12",         "石膏ボード t=12.5", "防湿シート",    "GL",
            "基礎天端 GL+400",         "土台 105角",        "断熱材 厚100",  "FL±0",
            "フローリング t=15",       "根太 45×60",        "大引 90角",     "捨てコン t=50",
            "外壁 窯業系サイディング", "通気胴縁 18×45",    "透湿防水シート"};
        for (int k = 4 + r_.below(9); k > 0; --k) {
            const double ty = h * (k + 0.5) / 13, tx = r_.range(0, w);
            const double end = w + p.real(20);
            line(p, 4, tx, ty, end, ty);
            if (r_.chance(50)) {
                const double l = p.real(2.5);
                line(p, 4, tx, ty, tx + l * std::cos(0.26), ty + l * std::sin(0.26));
                line(p, 4, tx, ty, tx + l * std::cos(0.26), ty - l * std::sin(0.26));
            } else {
                circle(p, 4, tx, ty, p.real(0.5));
            }
            text(p, 4, 2, end + p.real(1), ty + p.real(0.5), 0, notes[r_.below(15)]);
        }
        dimensions(p, xs, ys, chains);
        return p.paper(w) + 80;
    }

    // --- Dimensions -----------------------------------------------------------

    // `count` chains around (and some across) the drawing, an overall
    // dimension beyond some of them.
    void dimensions(const Place& p, const std::vector<double>& xs, const std::vector<double>& ys,
                    int count) {
        const double w = xs.back(), h = ys.back();
        int rows[4] = {};  // chains outside each side: below, left, above, right
        for (int c = 0; c < count; ++c) {
            const int side = c % 4, row = c / 4;
            Chain ch;
            ch.vertical = side % 2 == 1;
            const std::vector<double>& along = ch.vertical ? ys : xs;
            const double far = ch.vertical ? w : h;
            if (row < 2) {
                const double off = p.real(8 + 7 * row);
                ch.edge = side < 2 ? -p.real(2) : far + p.real(2);
                ch.at = side < 2 ? -off : far + off;
                rows[side] = row + 1;
            } else {  // across the rooms
                ch.at = far * r_.range(0.15, 0.85);
                ch.edge = ch.at - p.real(2);
            }
            ch.spots = along;
            if (row == 1) thin(ch.spots);
            ch.ends = static_cast<Ends>(r_.below(3));
            ch.value = static_cast<Value>(r_.below(10) < 6 ? 0 : r_.below(10) < 5 ? 1 : 2);
            chain(p, ch);
        }
        // The overall length beyond the chains of some sides.
        for (int side = 0; side < 4; ++side) {
            if (rows[side] == 0 || !r_.chance(60)) continue;
            Chain all;
            all.vertical = side % 2 == 1;
            const std::vector<double>& along = all.vertical ? ys : xs;
            const double far = all.vertical ? w : h, off = p.real(8 + 7 * rows[side]);
            all.edge = side < 2 ? -p.real(2) : far + p.real(2);
            all.at = side < 2 ? -off : far + off;
            all.spots = {along.front(), along.back()};
            all.ends = static_cast<Ends>(r_.below(3));
            chain(p, all);
        }
    }

    // Keeps the ends and most points between, at least six.
    void thin(std::vector<double>& spots) {
        std::vector<double> kept = {spots.front()};
        for (std::size_t i = 1; i + 1 < spots.size(); ++i)
            if (r_.chance(70)) kept.push_back(spots[i]);
        kept.push_back(spots.back());
        if (kept.size() >= 6) spots = kept;
    }

    void chain(const Place& p, const Chain& ch) {
        if (ch.spots.size() > 2) {
            ++tally_.chains;
            tally_.spans += static_cast<long>(ch.spots.size()) - 1;
        }
        // Points in real units along and across the chain.
        auto at = [&](double along, double across, double& x, double& y) {
            x = ch.vertical ? across : along;
            y = ch.vertical ? along : across;
        };
        const double over = ch.edge < ch.at ? p.real(1) : -p.real(1);
        if (!objects_)
            for (double s : ch.spots) {
                double x1, y1, x2, y2;
                at(s, ch.edge, x1, y1);
                at(s, ch.at + over, x2, y2);
                line(p, 3, x1, y1, x2, y2);
            }
        for (std::size_t i = 0; i + 1 < ch.spots.size(); ++i) {
            const double a = ch.spots[i], b = ch.spots[i + 1];
            const std::string value = value_of(b - a, ch.value);
            const std::string flags = ch.value == kCommand   ? " flags=0x4010 width=0x2043"
                                      : ch.value == kFlagged ? " flags=0x0010"
                                                             : "";
            // The value centred on its span, just above the line; upright
            // values read from below, left of the line.
            const double length = p.real(text_length(1, value));
            const double lift = p.real(0.6);
            double tx, ty;
            at((a + b) / 2 - length / 2, ch.vertical ? ch.at - lift : ch.at + lift, tx, ty);
            const std::string value_statement =
                text_statement(p, 3, 1, tx, ty, ch.vertical ? 90 : 0, value, flags);
            ++tally_.texts;
            ++tally_.values;
            double x1, y1, x2, y2;
            at(a, ch.at, x1, y1);
            at(b, ch.at, x2, y2);
            if (objects_) {
                dimension_object(p, ch, a, b, value_statement);
                continue;
            }
            line(p, 3, x1, y1, x2, y2);
            ends(p, ch, a, b);
            element(value_statement);
        }
    }

    // The host's dimension object: line, value, extension lines, end marks,
    // reference points.
    void dimension_object(const Place& p, const Chain& ch, double a, double b,
                          const std::string& value) {
        auto xy = [&](double along, double across) {
            return ch.vertical ? format("%.4f %.4f", p.x(across), p.y(along))
                               : format("%.4f %.4f", p.x(along), p.y(across));
        };
        const bool marks = ch.ends != kArrows;
        const double over = ch.edge < ch.at ? p.real(1) : -p.real(1);
        const std::string b_ = base(p, 3);
        std::string s = format("dimension sxf=%d", marks ? 1 : 0) + b_ + "\n";
        s += "  line " + xy(a, ch.at) + " " + xy(b, ch.at) + b_ + "\n";
        s += "  " + value + "\n";
        s += "  line " + xy(a, ch.edge) + " " + xy(a, ch.at + over) + b_ + "\n";
        s += "  line " + xy(b, ch.edge) + " " + xy(b, ch.at + over) + b_ + "\n";
        for (double e : {a, b}) s += "  point " + xy(e, ch.at) + b_ + " flags=0x0040\n";
        for (double e : {a, b}) s += "  point " + xy(e, ch.edge) + b_ + " flags=0x0040\n";
        s += "end";
        element(s);
    }

    // End marks of one span: both ends, as the dimension command draws them
    // span by span (shared points twice).
    void ends(const Place& p, const Chain& ch, double a, double b) {
        for (int k = 0; k < 2; ++k) {
            const double s = k == 0 ? a : b;
            double x, y;
            if (ch.vertical) {
                x = ch.at;
                y = s;
            } else {
                x = s;
                y = ch.at;
            }
            if (ch.ends == kPoints) point(p, 3, x, y);
            if (ch.ends == kCircles) circle(p, 3, x, y, p.real(0.5));
            if (ch.ends != kArrows) continue;
            // Two strokes from the tip, pointing into the span.
            const double l = p.real(2.5), inward = k == 0 ? 1 : -1;
            for (double turn : {0.26, -0.26}) {
                const double along = inward * l * std::cos(turn), across = l * std::sin(turn);
                if (ch.vertical)
                    line(p, 3, x, y, x + across, y + along);
                else
                    line(p, 3, x, y, x + along, y + across);
            }
        }
    }

    // The value written for a span, now and then a wrong one: off by a
    // hundred or ten (a cross), by one (a triangle), or its digits swapped.
    std::string value_of(double span, Value kind) {
        double v = span;
        if (r_.below(1000) < 15) {
            ++tally_.wrong;
            switch (r_.below(4)) {
            case 0: v += span > 500 ? 100 : 10; break;
            case 1: v -= span > 500 ? 100 : 10; break;
            case 2: v += 1; break;
            default: {
                std::string d = std::to_string(std::lround(span));
                if (d.size() >= 2) std::swap(d[0], d[1]);
                v = std::atof(d.c_str()) + (span - std::floor(span));
                if (v == span) v += 100;
                break;
            }
            }
        }
        return value_text(v, commas_, kind == kTyped && r_.chance(30));
    }

    // --- The rest of the sheet ------------------------------------------------

    // Construction lines on a hidden layer, a display-only layer, temporary
    // points: elements no selection can hold.
    void hidden_parts(double width) {
        Place p;
        if (r_.chance(30)) {
            head_ += "layer 0 15 state 0 name \"補助線\"\n";
            for (int k = 10 + r_.below(30); k > 0; --k)
                line(p, 15, p.real(r_.range(0, width)), p.real(r_.range(-40, 200)),
                     p.real(r_.range(0, width)), p.real(r_.range(-40, 200)), " colour=9");
        }
        if (r_.chance(15)) {
            head_ += "layer 1 14 state 1 name \"下図\"\n";
            Place q;
            q.group = 1;
            q.scale = 50;
            for (int k = 5 + r_.below(20); k > 0; --k)
                line(q, 14, q.real(r_.range(0, width)), q.real(r_.range(-40, 200)),
                     q.real(r_.range(0, width)), q.real(r_.range(-40, 200)));
        }
        for (int k = r_.below(6); k > 0; --k)
            element(format("temporary-point %.4f %.4f", r_.range(0, width), r_.range(0, 150)));
    }

    // The frame round the sheet, the title block and the area table at its
    // lower right, the notes above them, in the first group.
    void title_block(double width) {
        Place p;  // group 0, 1:100: paper millimetres times 100
        auto mm = [&](double paper) { return p.real(paper); };
        const double x0 = -60, y0 = -120, x1 = width + 120, y1 = 260;
        rect(p, 8, mm(x0), mm(y0), mm(x1), mm(y1));
        rect(p, 8, mm(x0 + 10), mm(y0 + 10), mm(x1 - 10), mm(y1 - 10));

        const double tx = x1 - 130, ty = y0 + 10;
        static const char* const keys[] = {"工事名称", "図面名称", "縮尺", "日付",
                                           "図面番号", "設計",     "担当", "備考"};
        const std::string values[] = {"山田邸新築工事",
                                      "平面図・詳細図",
                                      "S=1/100, 1/50, 1/20",
                                      format("2026.%02d.%02d", 1 + r_.below(12), 1 + r_.below(28)),
                                      format("A-%02d", 1 + r_.below(40)),
                                      "一級建築士事務所 山田設計",
                                      "佐藤",
                                      "寸法は芯々寸法とする"};
        for (int row = 0; row <= 8; ++row)
            line(p, 8, mm(tx), mm(ty + 8 * row), mm(x1 - 10), mm(ty + 8 * row));
        line(p, 8, mm(tx), mm(ty), mm(tx), mm(ty + 64));
        line(p, 8, mm(tx + 30), mm(ty), mm(tx + 30), mm(ty + 64));
        for (int row = 0; row < 8; ++row) {
            text(p, 8, 2, mm(tx + 2), mm(ty + 64 - 8 * row - 6), 0, keys[row]);
            text(p, 8, row == 1 ? 4 : 2, mm(tx + 32), mm(ty + 64 - 8 * row - 6), 0, values[row]);
        }

        // Floor areas in square metres, left of the title block.
        const double ax = tx - 90;
        const double floor1 = 40 + r_.below(6000) / 100.0, floor2 = 30 + r_.below(4000) / 100.0;
        const double building = floor1 + r_.below(500) / 100.0,
                     site = 120 + r_.below(10000) / 100.0;
        const std::pair<const char*, double> rows[] = {
            {"1階床面積", floor1},  {"2階床面積", floor2}, {"延床面積", floor1 + floor2},
            {"建築面積", building}, {"敷地面積", site},    {"建ぺい率", 100 * building / site}};
        for (int row = 0; row <= 7; ++row)
            line(p, 8, mm(ax), mm(ty + 6 * row), mm(ax + 80), mm(ty + 6 * row));
        for (double c : {0.0, 40.0, 80.0}) line(p, 8, mm(ax + c), mm(ty), mm(ax + c), mm(ty + 42));
        text(p, 8, 2, mm(ax + 2), mm(ty + 37.5), 0, "面積表");
        for (int row = 0; row < 6; ++row) {
            const double y = ty + 30 - 6 * row + 1.5;
            text(p, 8, 1, mm(ax + 2), mm(y), 0, rows[row].first);
            text(p, 8, 1, mm(ax + 42), mm(y), 0,
                 format("%.2f%s", rows[row].second, row == 5 ? "%" : "㎡"));
        }

        static const char* const notes[] = {
            "特記事項", "1. 寸法は芯々寸法とする。", "2. 天井高さは CH=2,400 とする。",
            "3. 建具は別途建具表による。", "4. 仕上は仕上表による。"};
        for (int k = 0; k < 5; ++k) text(p, 8, 1, mm(ax), mm(ty + 80 - 5 * k), 0, notes[k]);
    }

    // The settings the host adds on saving, which are never handed over.
    void settings() {
        static const char* const names[] = {"Printer_Orientation = 0", "Printer_PaperSize = 0",
                                            "Printer_D2dBMP = 0",      "Printer_BmpZENTAI = 0",
                                            "View_Direct2d = 1",       "Draw_BmpTOUKA = 1"};
        for (const char* n : names)
            element(
                format("text 0 -1000 0 -1000 1 3 3 0.5 0 \"%s\" \"%s\" type=9 colour=9", kFont, n));
    }

    // Furniture at 1:100 (paper millimetres), placed by the inserts above.
    void blocks() {
        auto def = [&](int number, const char* name, const std::vector<std::string>& members) {
            tail_ += format("block %d 1 %d \"%s\"\n", number, 1781136000 + 60 * number, name);
            for (const std::string& m : members) {
                tail_ += "  " + m + " layer=5\n";
                ++in_blocks_;
            }
            tail_ += "end\n";
        };
        auto box = [](double x1, double y1, double x2, double y2) {
            return std::vector<std::string>{format("line %g %g %g %g", x1, y1, x2, y1),
                                            format("line %g %g %g %g", x2, y1, x2, y2),
                                            format("line %g %g %g %g", x2, y2, x1, y2),
                                            format("line %g %g %g %g", x1, y2, x1, y1)};
        };
        auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
            a.insert(a.end(), b.begin(), b.end());
            return a;
        };
        def(0, "椅子", join(box(0, 0, 4.5, 4.5), {"line 0 4 4.5 4"}));
        def(1, "食卓セット",
            join(box(0, 0, 15, 8.5), {"insert 2 -5 1 1 0 0", "insert 8.5 -5 1 1 0 0",
                                      "insert 6.5 13.5 1 1 3.141592653589793 0",
                                      "insert 13 13.5 1 1 3.141592653589793 0"}));
        def(2, "ベッド", join(join(box(0, 0, 10, 20), box(1, 16, 9, 19)), {"line 0 12 10 12"}));
        def(3, "便器", join(box(-2, -2, 2, 0), {"arc 0 -4.5 2.5 0 6.283185307179586 0 0.75 1"}));
        def(4, "洗面台",
            join(box(-7.5, 0, 0, 5),
                 {"arc -3.75 2.5 2 0 6.283185307179586 0 0.7 1", "circle -3.75 2.5 0.2"}));
        def(5, "キッチン",
            join(join(box(0, 0, 25.5, 6.5), box(3, 1, 9, 5.5)),
                 {"circle 15 3.2 1", "circle 18 3.2 1", "circle 21 3.2 1", "circle 6 3.2 0.3"}));
        def(6, "浴槽", join(join(box(0, 0, 16, 8), box(1, 0.8, 15, 7.2)), {"circle 13.5 4 0.3"}));
    }

    Rng& r_;
    Tally& tally_;
    int version_ = 700;
    bool utf16_ = false, commas_ = true, objects_ = false;
    std::string head_, body_, tail_;
    long elements_ = 0, in_blocks_ = 0;
};

int make(const fs::path& dir, int count, std::uint64_t seed) {
    Rng master(seed);
    Tally tally;
    for (int n = 1; n <= count; ++n) {
        Rng r(master.next());
        Sheet sheet(r, tally);
        const std::string description = sheet.compose();
        const std::string bytes = dimcheck::test::compose_jww(description);
        const fs::path folder = dir / format("project-%02d", (n - 1) / 20 + 1);
        fs::create_directories(folder);
        dimcheck::test::write_file((folder / format("sheet-%03d.jww", n)).string(), bytes);
        ++tally.drawings;
        tally.bytes += static_cast<long>(bytes.size());
        const long e = sheet.elements();
        if (n == 1 || e < tally.smallest) tally.smallest = e;
        if (e > tally.largest) tally.largest = e;
    }
    std::printf(
        "drawings %ld (UTF-16 %ld, version 600 %ld), layer groups %ld, elements %ld (%ld to %ld a "
        "drawing; %ld more in block definitions), texts %ld (dimension values %ld, written wrong "
        "%ld), chains of 5 to 12 spans %ld (spans %ld), bytes %ld (%.1f MB)\n",
        tally.drawings, tally.utf16, tally.old_version, tally.groups, tally.elements,
        tally.smallest, tally.largest, tally.in_blocks, tally.texts, tally.values, tally.wrong,
        tally.chains, tally.spans, tally.bytes, tally.bytes / 1e6);
    return 0;
}

// The drawings of a folder in the folder check's order, and the selections it
// would hand to the host run.
int selections(const fs::path& set, const fs::path& out) {
    std::vector<fs::path> drawings;
    for (const auto& entry : fs::recursive_directory_iterator(set))
        if (entry.is_regular_file() && entry.path().extension() == ".jww")
            drawings.push_back(entry.path());
    std::sort(drawings.begin(), drawings.end());
    fs::create_directories(out);
    std::FILE* list = std::fopen((out / "list.txt").string().c_str(), "w");
    if (list == nullptr) throw std::runtime_error("cannot write list.txt");
    long files = 0, records = 0, texts = 0, bytes = 0, over = 0;
    for (const fs::path& path : drawings) {
        const std::string name = path.lexically_relative(set).generic_string();
        const dimcheck::jww::Drawing d =
            dimcheck::jww::read_drawing(dimcheck::test::read_file(path.string()));
        for (const dimcheck::jww::GroupSelection& g : dimcheck::jww::select_groups(d, name)) {
            if (g.records > dimcheck::kLineLimit) {  // the check does not run these
                ++over;
                continue;
            }
            ++files;
            const std::string file = format("%04ld.txt", files);
            dimcheck::test::write_file((out / file).string(), g.exchange);
            std::fprintf(list, "%04ld %X %d %d %s\n", files, g.group, g.records, g.texts,
                         name.c_str());
            records += g.records;
            texts += g.texts;
            bytes += static_cast<long>(g.exchange.size());
        }
    }
    std::fclose(list);
    std::printf(
        "selections %ld of %zu drawings (%ld past the line limit), records %ld, texts %ld, "
        "bytes %ld (%.1f MB)\n",
        files, drawings.size(), over, records, texts, bytes, bytes / 1e6);
    return 0;
}

int usage() {
    std::fputs(
        "usage: dimcheck_drawing_set make DIR [COUNT [SEED]]\n"
        "       dimcheck_drawing_set selections SET OUT\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string mode = argv[1];
    try {
        if (mode == "make" && argc <= 5)
            return make(argv[2], argc > 3 ? std::atoi(argv[3]) : 200,
                        argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1);
        if (mode == "selections" && argc == 4) return selections(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dimcheck_drawing_set: %s\n", e.what());
        return 1;
    }
    return usage();
}
