// The shortcut end-point search against the literal one on generated states: points on sides,
// corners and rays through corners, odd frames, scales and tolerances, NaN and huge numbers.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>

#include "check/fast_search.h"
#include "check/search.h"
#include "check/verdict.h"
#include "support.h"

namespace dimcheck::test {

static double special(Rng& r) {  // zeros, subnormals, huge, infinite, NaN
    return std::array<double, 13>{0,         -0.0,     1e-310, -1e-310, 1e300, -1e300, 1.7e308,
                                  -HUGE_VAL, HUGE_VAL, NAN,    0.5,     1e-20, 1e154}[r.below(13)];
}

// A point that makes the inside test hard for the frame f of drawing d.
static Point tricky(Rng& r, const Drawing& d, const SearchFrame& f) {
    const int i = 1 + r.below(4);
    const Point a = f.corners[i], b = f.corners[i % 4 + 1], far = f.far_points[r.below(3)];
    const double t = (r.chance(50) ? 1 : -1) * d.crossing_margin / 100.0f,
                 l = r.chance(30) ? 0.5 : r.unit(), mu = r.chance(50) ? r.below(4) : r.range(0, 3);
    auto nudge = [&](double v) { return std::nextafter(v, r.chance(50) ? HUGE_VAL : -HUGE_VAL); };
    const double y = b.x == a.x ? a.y : (far.x - a.x) * ((b.y - a.y) / (b.x - a.x)) + a.y;
    // 1: on a side or beside it, 2: on a ray through a corner, 3: a vertical ray ending at a
    // side's box, 4: at the edge of a corner's box.
    switch (r.below(8)) {
    case 0: return a;
    case 1: return {nudge(a.x + l * (b.x - a.x)), nudge(a.y + l * (b.y - a.y))};
    case 2: return {far.x + mu * (a.x - far.x), far.y + mu * (a.y - far.y)};
    case 3: return {far.x, r.chance(50) ? y - t : nudge(y + t)};
    case 4: return {r.chance(50) ? nudge(a.x + t) : a.x + t, a.y};
    case 5: return far;
    case 6: return {r.chance(50) ? special(r) : a.x, r.chance(50) ? special(r) : a.y};
    default:
        return {a.x + r.range(-2, 2) * (b.x - a.x + 1), a.y + r.range(-2, 2) * (b.y - a.y + 1)};
    }
}

// A drawing as the intake leaves it, with one text record and the frame the
// search lays for it, or any corners and far points (crossed, flat, one point).
struct Case {
    Drawing d;
    Text t;
    SearchFrame f;
    double search_length = 0;
};

static Case random_case(Rng& r) {
    Case c;
    Drawing* s = &c.d;  // as the intake leaves it
    Text& t = c.t;
    s->scale = r.chance(10) ? special(r) : r.chance(50) ? 1.0 : 100.0;
    s->crossing_margin = r.chance(70)   ? 0.00025 * s->scale
                         : r.chance(30) ? special(r)
                                        : r.below(3) * 50.0;
    t.kind = r.below(r.chance(5) ? 20 : 11) - (r.chance(3) ? 3 : 0);
    for (int k = 0; k <= 10; ++k) {
        s->kind_heights[k] = r.chance(10) ? 0.0 : r.range(1, 10);
        s->kind_widths[k] = r.range(1, 10);
    }
    for (double& g : s->group_scales)
        g = r.chance(10) ? (r.chance(50) ? 0.0 : special(r)) : s->scale;
    const double ext = s->scale == 100.0 ? 10000.0 : 100.0, a = r.range(0, 6.283185307179586);
    for (int k = 0; k < 4; ++k)
        s->selection_extent[k] =
            r.chance(2) ? special(r) : r.range(k < 2 ? -ext : 0, k < 2 ? 0 : ext);
    const double len = r.chance(5) ? special(r) : r.range(0, ext / 10),
                 search_length = c.search_length = r.chance(5) ? special(r) : r.range(1, 3000);
    const int turn = r.below(5);  // along x, along y, no direction, any angle
    t.dx = turn == 0 ? len : turn < 3 ? 0.0 : len * std::cos(a);
    t.dy = turn == 1 ? -len : turn < 3 ? 0.0 : len * std::sin(a);
    t.x = r.range(-ext, ext);
    t.y = r.range(-ext, ext);
    t.keyword_letter = "hors"[r.below(4)];
    lay_frame(*s, t, search_length, c.f);
    for (int k = 0; k < 7 && r.chance(k == 0 ? 30 : 100); ++k) {  // small integers: exact meetings
        Point& moved = k < 4 ? c.f.corners[k + 1] : c.f.far_points[k - 4];
        moved =
            r.chance(30) ? c.f.corners[1] : Point{r.below(7) - 4.0 * (k > 3), double(r.below(7))};
    }
    const double span = std::fmin(1 + std::fabs(t.dx) + std::fabs(search_length), 1e6);
    s->end_point_count = r.chance(2) ? 0 : 1 + r.below(r.chance(10) ? 799 : 80);
    for (int k = 0; k < s->end_point_count; ++k)
        s->end_points[k] = r.chance(3)    ? s->end_points[r.below(k + 1)]
                           : r.chance(60) ? tricky(r, *s, c.f)
                                          : Point{t.x + r.range(-span, span),
                                                  t.y + r.range(-span / 10, span / 10)};
    return c;
}

// The frame search alone, the search as the verdict calls it and the verdict,
// with pairs at the stated length so that every verdict occurs, on leftovers of
// an earlier text (whole runs take the fast search in every recorded case).
TEST(FastSearch, FindsWhatTheLiteralSearchFinds) {
    const char* const bodies[] = {"1500", "1,500", "2.5", "1.5M", "R300", "12", "\x82\x50\x82\x4f",
                                  "abc"};
    for (int seed = 0; seed < 6000 && !HasFailure(); ++seed) {
        Rng r(1000 + seed);
        Case k = random_case(r);
        Drawing& d = k.d;
        std::strcpy(k.t.body, bodies[r.below(8)]);
        for (int i = 0; i + 1 < d.end_point_count && i < 6; i += 2)
            d.end_points[i + 1] = {d.end_points[i].x + std::atof(k.t.body) + r.below(4) * 0.4,
                                   d.end_points[i].y};
        FoundPoint found[2][kFoundSlots];
        for (int i = 0; i < kFoundSlots; ++i)  // leftovers
            found[0][i] = found[1][i] = {r.range(-9, 9), r.range(-9, 9), r.range(0, 9)};
        int count[2];
        for (int fast = 0; fast < 2; ++fast) {
            Captured c;
            const std::unique_ptr<EndPointIndex> index(fast == 1 ? new EndPointIndex(d) : nullptr);
            EndPointIndex* const i = index.get();
            FoundPoint* const f = found[fast];
            const int call = seed % 3, length = seed % 2999 + 1;
            int& n = count[fast];
            const JudgingSinks sinks = c.sinks();
            const SearchMode mode = SearchMode(seed % 2);
            if (call == 0) n = points_in_frame(d, i, k.f, k.t, f, sinks);
            if (call == 1) n = search_end_points(d, i, k.t, length, mode, f, sinks);
            if (call == 2) n = int(judge_text(d, i, c.o, k.t, f, sinks).verdict);
        }
        EXPECT_EQ(count[1], count[0]) << "seed " << seed;
        EXPECT_EQ(std::memcmp(found[0], found[1], sizeof found[0]), 0) << "seed " << seed;
    }
}

}  // namespace dimcheck::test
