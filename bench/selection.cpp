#include "selection.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "common/kit.h"
#include "control/drawing.h"

namespace dimcheck::bench {

namespace {

using test::Rng;  // the same sequence everywhere

constexpr double kPi = 3.14159265358979323846;
// An A1 sheet at 1:100, in drawing units (mm).
constexpr double kWidth = 84100.0;
constexpr double kHeight = 59400.0;
constexpr double kScale = 100.0;
// Text kind 1: 2.5 wide and high on paper.
constexpr double kCharW = 2.5;

class Writer {
public:
    void line(const std::string& text) {
        out_ += text;
        out_ += '\n';
        ++lines_;
    }
    template <typename... Args>
    void f(const char* fmt, Args... args) {
        char buf[512];
        std::snprintf(buf, sizeof buf, fmt, args...);
        line(buf);
    }
    int lines() const { return lines_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
    int lines_ = 0;
};

void header(Writer& w) {
    std::string hs = "hs";
    for (int i = 0; i < 16; ++i) hs += " 100";
    w.line(hs);
    w.line("hcw 2 2.5 3 3.5 4 5 6 7 8 10");
    w.line("hch 2 2.5 3 3.5 4 5 6 7 8 10");
    w.line("hcd 0 0 0 0 0 0 0 0 0 0");
    w.line("hcc 1 2 3 4 5 6 7 8 9 1");
    w.f("hn 0 0 %.0f %.0f", kWidth, kHeight);
    w.line("lg0");
    w.line("ly0");
    w.line("lt1");
    w.line("lc1");
    w.line("pn1");
    // The first comment line fixes the scale from layer group 0.
    w.line("#jw selection");
}

// A dimension value as drawn: thousands separated by commas.
std::string value_text(long v) {
    std::string digits = std::to_string(v);
    std::string out;
    int lead = static_cast<int>(digits.size()) % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && static_cast<int>(i) % 3 == lead % 3) out += ',';
        out += digits[i];
    }
    return out;
}

// A text record whose base line starts at (x, y) in direction angle, as long
// as its bytes are drawn (each byte half a character of kind 1).
void text(Writer& w, double x, double y, double angle, const std::string& body) {
    double len = static_cast<double>(body.size()) * kCharW * 0.5 * kScale;
    w.f("ch %.3f %.3f %.4f %.4f \"%s", x, y, len * std::cos(angle), len * std::sin(angle),
        body.c_str());
}

// Random lines that are not arrow strokes (all longer than 3.5 scales).
void filler(Writer& w, Rng& r, int count) {
    for (int i = 0; i < count; ++i) {
        double x = r.range(0, kWidth), y = r.range(0, kHeight);
        double a = r.range(0, 2 * kPi), len = r.range(1000, 8000);
        w.f(" %.3f %.3f %.3f %.3f", x, y, x + len * std::cos(a), y + len * std::sin(a));
    }
}

// Distinct points written with three decimals (the intake reads those bits).
struct Pt {
    double x, y;
};

Pt rounded(double x, double y) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f %.3f", x, y);
    Pt p;
    std::sscanf(buf, "%lf %lf", &p.x, &p.y);
    return p;
}

Selection typical(std::uint64_t seed) {
    Rng r(seed);
    Writer w;
    header(w);

    // 15 dimension chains of 10 points: 5 horizontal, 5 vertical, 5 turned.
    struct Chain {
        double ox, oy, angle;
        std::vector<long> at;  // distances from the origin
    };
    std::vector<Chain> chains;
    for (int c = 0; c < 15; ++c) {
        Chain ch;
        ch.angle = c < 5 ? 0.0 : c < 10 ? kPi / 2 : r.range(0.1, kPi / 2 - 0.1);
        ch.ox = r.range(5000, 40000);
        ch.oy = r.range(5000, 25000);
        long d = 0;
        for (int i = 0; i < 10; ++i) {
            ch.at.push_back(d);
            d += (4 + r.below(27)) * 100;
        }
        chains.push_back(ch);
    }

    int points = 0;
    for (std::size_t c = 0; c < chains.size(); ++c) {
        const Chain& ch = chains[c];
        double ux = std::cos(ch.angle), uy = std::sin(ch.angle);
        std::vector<Pt> pts;
        for (long d : ch.at) pts.push_back(rounded(ch.ox + d * ux, ch.oy + d * uy));
        // Extension lines, then the dimension line pieces.
        for (const Pt& p : pts)
            w.f(" %.3f %.3f %.3f %.3f", p.x + 200 * uy, p.y - 200 * ux, p.x - 1500 * uy,
                p.y + 1500 * ux);
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
            w.f(" %.3f %.3f %.3f %.3f", pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
        // End points: points, small circles or arrowheads, by chain.
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Pt& p = pts[i];
            switch (c % 3) {
            case 0: w.f("pt %.3f %.3f", p.x, p.y); break;
            case 1: w.f("ci %.3f %.3f 50", p.x, p.y); break;
            default: {
                double back = i + 1 < pts.size() ? ch.angle : ch.angle + kPi;
                for (double turn : {0.26, -0.26})
                    w.f(" %.3f %.3f %.3f %.3f", p.x, p.y, p.x + 250 * std::cos(back + turn),
                        p.y + 250 * std::sin(back + turn));
                break;
            }
            }
            ++points;
        }
    }

    // Walls and other lines.
    filler(w, r, 1100);

    w.line("cn2");
    int texts = 0;
    for (const Chain& ch : chains) {
        double ux = std::cos(ch.angle), uy = std::sin(ch.angle);
        // Single spans, double spans and the overall length, each text 50
        // above the dimension line, centred on its span.
        for (int span : {1, 2, 9}) {
            for (std::size_t i = 0; i + span < ch.at.size(); ++i) {
                long v = ch.at[i + span] - ch.at[i];
                int roll = r.below(20);
                if (roll == 0) v += 1;    // needs checking
                if (roll == 1) v += 100;  // wrong
                std::string body = value_text(v);
                double mid = 0.5 * static_cast<double>(ch.at[i] + ch.at[i + span]);
                double half = static_cast<double>(body.size()) * kCharW * 0.25 * kScale;
                double off = span == 1 ? 50 : span == 2 ? 60 : 70;
                text(w, ch.ox + (mid - half) * ux - off * uy, ch.oy + (mid - half) * uy + off * ux,
                     ch.angle, body);
                ++texts;
            }
        }
    }
    // Room names: not numbers.
    const char* names[] = {"\x8b\x8f\x8a\xd4", "\x8e\xba\x8e\xba",
                           "\x83\x4c\x83\x62\x83\x60\x83\x93"};
    while (texts < 300) {
        text(w, r.range(0, kWidth), r.range(0, kHeight), 0.0, names[texts % 3]);
        ++texts;
    }

    Selection s;
    s.lines = w.lines();
    s.points = points;
    s.texts = texts;
    s.exchange = w.take();
    return s;
}

Selection limits(std::uint64_t seed, bool clustered, bool repeated = false) {
    Rng r(seed);
    Writer w;
    header(w);

    // 799 distinct end points.
    std::vector<Pt> pts;
    std::set<std::pair<double, double>> seen;
    struct Chain {
        double ox, oy, angle, step;
    };
    std::vector<Chain> chains;
    if (clustered) {
        // 16 chains of 50 points (the last one 49), 150 to 250 apart.
        for (int c = 0; c < 16; ++c)
            chains.push_back({r.range(2000, kWidth - 12000), r.range(2000, kHeight - 12000),
                              r.range(0, 2 * kPi), r.range(150, 250)});
    }
    while (pts.size() < 799) {
        Pt p;
        if (clustered) {
            const Chain& ch = chains[pts.size() / 50];
            double d = ch.step * static_cast<double>(pts.size() % 50);
            p = rounded(ch.ox + d * std::cos(ch.angle), ch.oy + d * std::sin(ch.angle));
        } else {
            p = rounded(r.range(0, kWidth), r.range(0, kHeight));
        }
        if (!seen.insert({p.x, p.y}).second) continue;
        pts.push_back(p);
        w.f("pt %.3f %.3f", p.x, p.y);
        // Chained dimensions with point ends write every shared point twice:
        // the table fills up halfway and every later point is looked up.
        if (repeated) w.f("pt %.3f %.3f", p.x, p.y);
    }

    const int texts = 48000;
    // Fill up to the line limit with other lines: header, points, the text
    // kind record and the texts make the rest.
    filler(w, r, kLineLimit - w.lines() - 1 - texts);
    w.line("cn2");
    for (int i = 0; i < texts; ++i) {
        long v = (1 + r.below(200)) * 100 + r.below(100);
        std::string body = value_text(v);
        if (clustered) {
            // Along a chain, 50 above it, spanning a random stretch of it.
            const Chain& ch = chains[static_cast<std::size_t>(r.below(16))];
            double d = r.range(0, 49 * ch.step);
            double ux = std::cos(ch.angle), uy = std::sin(ch.angle);
            text(w, ch.ox + d * ux - 50 * uy, ch.oy + d * uy + 50 * ux, ch.angle, body);
        } else {
            text(w, r.range(0, kWidth), r.range(0, kHeight), r.range(0, 2 * kPi), body);
        }
    }

    Selection s;
    s.lines = w.lines();
    s.points = static_cast<int>(pts.size());
    s.texts = texts;
    s.exchange = w.take();
    return s;
}

}  // namespace

Selection generate(Kind kind, std::uint64_t seed) {
    switch (kind) {
    case Kind::Typical: return typical(seed);
    case Kind::Worst: return limits(seed, false);
    case Kind::Clustered: return limits(seed, true);
    case Kind::Repeated: return limits(seed, true, true);
    }
    return {};
}

bool parse_kind(const std::string& name, Kind& kind) {
    for (Kind k : {Kind::Typical, Kind::Worst, Kind::Clustered, Kind::Repeated}) {
        if (name == kind_name(k)) {
            kind = k;
            return true;
        }
    }
    return false;
}

const char* kind_name(Kind kind) {
    switch (kind) {
    case Kind::Typical: return "typical";
    case Kind::Worst: return "worst";
    case Kind::Clustered: return "clustered";
    case Kind::Repeated: return "repeated";
    }
    return "";
}

}  // namespace dimcheck::bench
