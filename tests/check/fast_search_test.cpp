// The fast end-point search against the literal one. On thousands of
// generated frames, point tables and texts (points on sides and corners, rays
// through corners, vertical and horizontal frames, degenerate frames, NaN,
// infinite, huge and subnormal coordinates, odd tolerances and group scales)
// both must leave the same bits in STEN, the same count, the same KPcnt and
// give the same verdict; whole runs must write the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "check/check.h"
#include "check/fast_search.h"
#include "control/driver.h"
#include "support.h"

namespace dimcheck::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

double special(Rng& r) {
    static const double values[] = {0.0,   -0.0,   1e-310, -1e-310, 1e300, -1e300, kMax,
                                    -kMax, kInf,   -kInf,  kNaN,    0.5,   1e-20,  1e154};
    return values[r.below(static_cast<int>(sizeof values / sizeof values[0]))];
}

// A few ulps away from v.
double nudge(Rng& r, double v) {
    int steps = r.below(4);
    double dir = r.chance(50) ? kInf : -kInf;
    for (int i = 0; i < steps; ++i) v = std::nextafter(v, dir);
    return v;
}

// Small integers: slopes and meeting points come out exact or nearly so,
// and land on the box edges.
Point grid_point(Rng& r, const DrawingState& s) {
    Point a = s.PT[1 + r.below(4)];
    const Point& far = s.Pmin[r.below(3)];
    if (r.chance(50)) {  // aim at the edge of a corner's widened box
        double t = s.gomi / 100.0f;
        (r.chance(50) ? a.x : a.y) += r.chance(50) ? t : -t;
    }
    if (r.chance(50)) {  // on the line from a far point through a corner
        double mu = 1 + r.below(3);
        if (r.chance(30)) return {a.x + mu * (a.x - far.x) / 2, a.y + mu * (a.y - far.y) / 2};
        return {far.x + mu * (a.x - far.x), far.y + mu * (a.y - far.y)};
    }
    return {static_cast<double>(r.below(9) - 1), static_cast<double>(r.below(9) - 1)};
}

// Points that make the inside test hard for the frame and far points in s.
Point tricky_point(Rng& r, const DrawingState& s) {
    const Point* pt = s.PT;
    int i = 1 + r.below(4);
    const Point& a = pt[i];
    const Point& b = pt[i == 4 ? 1 : i + 1];
    const Point& far = s.Pmin[r.below(3)];
    double minx = a.x, maxx = a.x, miny = a.y, maxy = a.y;
    for (int k = 1; k <= 4; ++k) minx = std::fmin(minx, pt[k].x), maxx = std::fmax(maxx, pt[k].x),
                                 miny = std::fmin(miny, pt[k].y), maxy = std::fmax(maxy, pt[k].y);
    double w = maxx - minx, h = maxy - miny;
    switch (r.below(13)) {
    case 12: {  // a vertical ray whose end lies just at the edge of a side's box
        if (b.x == a.x) return {far.x, a.y};
        double m = (b.y - a.y) / (b.x - a.x);
        double y = (far.x - a.x) * m + a.y;
        double t = s.gomi / 100.0f;
        return {far.x, r.chance(50) ? y - t : nudge(r, y - t)};
    }
    case 0: return a;  // a corner
    case 1: {          // on a side
        double l = r.chance(30) ? 0.5 : r.unit();
        return {a.x + l * (b.x - a.x), a.y + l * (b.y - a.y)};
    }
    case 2: {  // next to a side
        double l = r.unit();
        return {nudge(r, a.x + l * (b.x - a.x)), nudge(r, a.y + l * (b.y - a.y))};
    }
    case 3: {  // on the line from a far point through a corner, beyond or before it
        double mu = r.chance(50) ? r.range(1.0, 3.0) : r.range(0.0, 1.0);
        return {far.x + mu * (a.x - far.x), far.y + mu * (a.y - far.y)};
    }
    case 4: return {far.x, r.range(miny - h, maxy + h)};  // vertical ray
    case 5: return {r.range(minx - w, maxx + w), a.y};    // level with a corner
    case 6: return far;
    case 7: return {nudge(r, a.x), nudge(r, a.y)};
    case 8: return {r.chance(50) ? special(r) : a.x, r.chance(50) ? special(r) : a.y};
    case 9: return {a.x, r.range(miny - h, maxy + h)};  // below or above a corner
    default:  // anywhere near the frame
        return {r.range(minx - w, maxx + w), r.range(miny - h, maxy + h)};
    }
}

struct Found {
    int count = 0, kp = 0;
    StenEntry sten[kStenSize];
};

// Runs one search form on a copy of the state, STEN filled with the same
// leftovers for both forms. Get_Ten_Hanni takes the fast form when it may.
template <typename Search>
Found run_search(const DrawingState& base, Search search) {
    auto s = std::make_unique<DrawingState>(base);
    Found o;
    o.count = search(*s);
    o.kp = s->KPcnt;
    std::memcpy(o.sten, s->STEN, sizeof o.sten);
    return o;
}

// `search` on copies of s with the literal and with the fast search: the same
// count, KPcnt and STEN bits, or the frame is shown. Returns the fast one.
template <typename Search>
Found expect_same_either_way(const DrawingState& s, Search search, int seed) {
    set_fast_search(false);
    Found literal = run_search(s, search);
    set_fast_search(true);
    Found fast = run_search(s, search);
    std::string frame = "seed " + std::to_string(seed) + " gomi " + std::to_string(s.gomi);
    for (const Point& p : {s.PT[1], s.PT[2], s.PT[3], s.PT[4], s.Pmin[0], s.Pmin[1], s.Pmin[2]})
        frame += " (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
    EXPECT_EQ(fast.count, literal.count) << frame;
    EXPECT_EQ(fast.kp, literal.kp) << frame;
    EXPECT_EQ(std::memcmp(fast.sten, literal.sten, sizeof fast.sten), 0) << frame;
    return fast;
}

void fill_leftovers(Rng& r, DrawingState& s) {
    for (StenEntry& e : s.STEN) e = {r.range(-9, 9), r.range(-9, 9), r.range(0, 9)};
    s.KPcnt = r.below(12);
}

double tolerance(Rng& r) {
    const double odd[] = {0.0, -0.025, 1e6, 0.0, 0.00025};
    int k = r.below(10);
    return k == 3 ? special(r) : k < 5 ? odd[k] : 0.025;
}

// Frames set directly: any four corners and far points, also shapes the
// search never builds (crossed, collinear, with repeated corners).
TEST(FastSearch, SameAsLiteralOnArbitraryFrames) {
    for (int seed = 0; seed < 3000; ++seed) {
        Rng r(1000 + seed);
        auto s = std::make_unique<DrawingState>();
        s->gomi = tolerance(r);
        int shape = r.below(8);
        double x0 = r.range(-1000, 1000), y0 = r.range(-1000, 1000);
        double w = r.range(0, 500), h = r.range(0, 100);
        if (r.chance(10))
            for (double* v : {&x0, &y0, &w, &h}) *v *= 1e150;
        Point q[4] = {{x0, y0}, {x0 + w, y0}, {x0 + w, y0 + h}, {x0, y0 + h}};
        double turn = shape == 1 ? r.range(0, 6.283185307179586)  // turned by any angle,
                      : shape != 7 ? 0  // or by a right angle or half of one
                      : 1.5707963267948966 * r.below(4) + (r.chance(50) ? 0.7853981633974483 : 0);
        switch (shape) {
        case 0: break;  // upright: two vertical sides
        case 2:  // anything
            for (Point& p : q) p = {r.range(-100, 100), r.range(-100, 100)};
            break;
        case 3:  // all corners in one point
            for (Point& p : q) p = q[0];
            break;
        case 4:  // flat: height zero
            q[2] = q[1];
            q[3] = q[0];
            break;
        case 5:  // a corner that is special
            q[r.below(4)] = {special(r), special(r)};
            break;
        case 6:  // small integers: many exact meetings and equal slopes
            for (Point& p : q)
                p = {static_cast<double>(r.below(7)), static_cast<double>(r.below(7))};
            if (r.chance(50)) {  // upright
                q[1].y = q[0].y;
                q[2].x = q[1].x;
                q[3] = {q[0].x, q[2].y};
            }
            if (r.chance(60)) s->gomi = r.below(3) * 50.0;  // tolerance 0, 0.5 or 1
            break;
        default:  // turned
            for (Point& p : q)
                p = {x0 + (p.x - x0) * std::cos(turn) - (p.y - y0) * std::sin(turn),
                     y0 + (p.x - x0) * std::sin(turn) + (p.y - y0) * std::cos(turn)};
        }
        for (int i = 0; i < 4; ++i) s->PT[i + 1] = q[i];
        s->PTcnt = 4;
        double fx = r.range(-2000, 0), fy = r.range(-2000, 0);
        if (shape == 6) {
            fx = -r.below(5);
            fy = -r.below(5);
        }
        double g = r.chance(10) ? 0.0 : r.range(0.1, 3);
        if (shape == 6) g = r.below(2) * 0.02;  // far points on the grid
        for (int k = 0; k < 3; ++k) s->Pmin[k] = {fx - (50.0 + 0.2 * k) * g, fy - 18.0 * g};
        if (r.chance(10)) s->Pmin[r.below(3)] = {special(r), special(r)};
        if (r.chance(5)) s->Pmin[r.below(3)] = q[r.below(4)];
        s->ChX = r.range(-10, 10);
        s->ChY = r.range(-10, 10);
        s->tenc = 1 + r.below(r.chance(10) ? 800 : 60);
        for (int k = 0; k < s->tenc; ++k)
            s->TEN[k] = shape == 6 && r.chance(70) ? grid_point(r, *s) : tricky_point(r, *s);
        fill_leftovers(r, *s);

        expect_same_either_way(*s, Get_Ten_Hanni, seed);
        if (HasFailure()) return;
    }
}

// A drawing state as the intake leaves it, with one text record.
void random_text(Rng& r, DrawingState& s) {
    s.scale = r.chance(10) ? special(r) : r.chance(50) ? 1.0 : 100.0;
    s.gomi = r.chance(80) ? 0.00025 * s.scale : tolerance(r);
    s.MOJIS = r.below(r.chance(5) ? 20 : 11) - (r.chance(3) ? 3 : 0);
    for (int k = 0; k <= 10; ++k) {
        s.MOJI_H[k] = r.chance(10) ? 0.0 : r.range(1, 10);
        s.MOJI_W[k] = r.range(1, 10);
    }
    s.GROUP = r.below(r.chance(5) ? 20 : 16);
    for (double& g : s.G_SCALE) g = r.chance(10) ? (r.chance(50) ? 0.0 : special(r)) : s.scale;
    double ext = 100.0 * (s.scale == 100.0 ? 100.0 : 1.0);
    for (int k = 0; k < 4; ++k) s.HANI[k] = k < 2 ? r.range(-ext, 0) : r.range(0, ext);
    if (r.chance(5)) s.HANI[r.below(4)] = special(r);

    s.ChX = r.range(-ext, ext);
    s.ChY = r.range(-ext, ext);
    double len = r.range(0, ext / 10);
    switch (r.below(8)) {
    case 0: s.ChDX = len; s.ChDY = 0; break;      // horizontal
    case 1: s.ChDX = 0; s.ChDY = -len; break;     // vertical
    case 2: s.ChDX = 0; s.ChDY = 0; break;        // no direction
    case 3: s.ChDX = special(r); s.ChDY = r.chance(50) ? special(r) : len; break;
    case 4: s.ChDX = 1e-300; s.ChDY = 0; break;
    default: {
        double a = r.range(0, 6.283185307179586);
        s.ChDX = len * std::cos(a);
        s.ChDY = len * std::sin(a);
    }
    }
    s.ChHEAD[0] = 'c';
    s.ChHEAD[1] = "hors"[r.below(4)];
}

void random_points(Rng& r, DrawingState& s) {
    // Build the frame once without points, so that points can be put on it.
    int n = 1 + r.below(r.chance(10) ? 799 : 80);
    double nagasa = r.chance(5) ? (r.chance(50) ? 0.0 : special(r)) : r.range(1, 3000);
    s.tenc = 0;
    Search_Ten(s, nagasa, 0);
    double span = 1.0 + std::fabs(s.ChDX) + std::fabs(s.ChDY) + std::fabs(nagasa);
    if (!std::isfinite(span)) span = 1000;
    for (int k = 0; k < n; ++k) {
        s.TEN[k] = r.chance(50) ? tricky_point(r, s)
                                : Point{s.ChX + r.range(-span, span),
                                        s.ChY + r.range(-span / 10, span / 10)};
        if (r.chance(3)) s.TEN[k] = s.TEN[r.below(k + 1)];  // repeated
    }
    s.tenc = n;
}

// A state as the intake leaves it, with points near the text's frames.
std::unique_ptr<DrawingState> random_state(Rng& r) {
    auto s = std::make_unique<DrawingState>();
    random_text(r, *s);
    random_points(r, *s);
    fill_leftovers(r, *s);
    return s;
}

// Search_Ten as the verdict calls it, with frames built by the search itself.
TEST(FastSearch, SameAsLiteralThroughSearchTen) {
    for (int seed = 0; seed < 3000; ++seed) {
        Rng r(500000 + seed);
        auto s = random_state(r);
        double nagasa = r.chance(5) ? special(r) : r.range(1, 3000);
        int mode = r.below(2);
        expect_same_either_way(*s, [&](DrawingState& st) { return Search_Ten(st, nagasa, mode); },
                               seed);
        if (HasFailure()) return;
    }
}

// The verdict: the same code (compared as the count) and the same sorted STEN.
TEST(FastSearch, SameVerdicts) {
    static const char* const bodies[] = {"1500", "1,500", "2.5", "300", "1.5M", "R300", "12",
                                         "1000", "\x82\x50\x82\x54\x82\x4f\x82\x4f", "abc"};
    for (int seed = 0; seed < 2000; ++seed) {
        Rng r(900000 + seed);
        auto s = random_state(r);
        // Some pairs at the stated distance, so that all verdicts occur.
        const char* body = bodies[r.below(10)];
        for (int k = 0; k + 1 < s->tenc && k < 6; k += 2)
            s->TEN[k + 1] = {s->TEN[k].x + std::atof(body) + r.below(4) * 0.4, s->TEN[k].y};
        std::strcpy(s->ChSTR, body);
        expect_same_either_way(*s, Sun_chk, seed);
        if (HasFailure()) return;
    }
}

// Whole runs at trace level 0: the same result file, the same trace lines.
TEST(FastSearch, SameBytesOutOfWholeRuns) {
    for (int seed = 0; seed < 40; ++seed) {
        Rng r(77000 + seed);
        std::string in =
            "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\nhcw 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\n"
            "hch 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5 2.5\nhn 0 0 2000 1000\n#jw\nlg0\n";
        char line[256];
        int points = 2 + r.below(60);
        for (int k = 0; k < points; ++k) {
            std::snprintf(line, sizeof line, "pt %d %d\n", r.below(40) * 50, r.below(20) * 50);
            in += line;
        }
        in += "cn1\n";
        int texts = 1 + r.below(30);
        for (int k = 0; k < texts; ++k) {
            double a = r.chance(50) ? 0.0 : r.range(0, 6.283185307179586);
            std::snprintf(line, sizeof line, "c%c %d %d %.4f %.4f \"%d\n", "hors"[r.below(4)],
                          r.below(40) * 50, r.below(20) * 50 + 1, 6.25 * std::cos(a),
                          6.25 * std::sin(a), 50 * (1 + r.below(20)) + r.below(2));
            in += line;
        }

        std::string result[2], trace[2];
        for (int fast = 0; fast < 2; ++fast) {
            ScratchDir dir;
            write_file("JWC_TEMP.TXT", in);
            Captured c;
            std::fclose(c.s.fpw);  // the run opens the result itself
            c.s.fpw = nullptr;
            const char* argv[] = {"dimcheck"};
            set_fast_search(fast != 0);
            EXPECT_EQ(run(c.s, 1, argv), 0);
            set_fast_search(true);
            result[fast] = read_file("JWC_TEMP.TXT");
            trace[fast] = c.trace();
        }
        ASSERT_EQ(result[0], result[1]) << "seed " << seed;
        ASSERT_EQ(trace[0], trace[1]) << "seed " << seed;
    }
}

// The worked example of the crossing test with a point on every kind of place
// of an upright frame with integer corners: (5,2) and (5,0) are inside;
// (12,2), (5,4) and (0,0) are not. Then more than 39 points inside in a frame
// 100 wide: the first 39 are counted, the last of the rest stays in STEN[39].
TEST(FastSearch, WorkedExampleAndMoreThan39Inside) {
    auto s = std::make_unique<DrawingState>();
    set_frame(*s);
    s->gomi = 0.00025;
    for (const Point& p : {Point{5, 2}, {12, 2}, {5, 0}, {5, 4}, {0, 0}, {10, 4}, {0, 2}, {10, 2}})
        s->TEN[s->tenc++] = p;
    Found found = expect_same_either_way(*s, Get_Ten_Hanni, 0);
    ASSERT_GE(found.count, 2);
    EXPECT_EQ(std::vector<double>({found.sten[0].x, found.sten[0].y, found.sten[1].x, found.sten[1].y}),
              std::vector<double>({5, 2, 5, 0}));

    s->PT[2].x = s->PT[3].x = 100;
    for (s->tenc = 0; s->tenc < 60; ++s->tenc)
        s->TEN[s->tenc] = {1.5 * s->tenc + 0.25, s->tenc % 7 == 3 ? 9.0 : 2.0};
    found = expect_same_either_way(*s, Get_Ten_Hanni, 1);
    EXPECT_EQ(found.count, 39);
    EXPECT_EQ(found.sten[39].x, 1.5 * 58 + 0.25);
}

}  // namespace
}  // namespace dimcheck::test
