// The shortcut end-point search against the literal one. On generated frames,
// point tables and texts (points on sides and corners, rays through corners,
// degenerate frames, NaN, infinite, huge and subnormal numbers, odd
// tolerances and group scales) both leave the same bits in STEN, the same
// count and KPcnt, and give the same verdicts; whole runs write the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "check/check.h"
#include "check/fast_search.h"
#include "control/driver.h"
#include "support.h"

namespace dimcheck::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double special(Rng& r) {
    const double v[] = {0.0, -0.0, 1e-310, -1e-310, 1e300, -1e300, std::numeric_limits<double>::max(),
                        -kInf, kInf, std::numeric_limits<double>::quiet_NaN(), 0.5, 1e-20, 1e154};
    return v[r.below(13)];
}

// A point that makes the inside test hard for the frame and far points of s.
Point tricky(Rng& r, const DrawingState& s) {
    const int i = 1 + r.below(4);
    const Point a = s.PT[i], b = s.PT[i % 4 + 1], far = s.Pmin[r.below(3)];
    const double t = s.gomi / 100.0f, l = r.chance(30) ? 0.5 : r.unit(), mu = r.range(0, 3);
    auto nudge = [&](double v) {
        for (int k = r.below(4); k > 0; --k) v = std::nextafter(v, r.chance(50) ? kInf : -kInf);
        return v;
    };
    switch (r.below(10)) {
    case 0: return a;                                                      // a corner
    case 1: return {a.x + l * (b.x - a.x), a.y + l * (b.y - a.y)};         // on a side
    case 2: return {nudge(a.x + l * (b.x - a.x)), nudge(a.y + l * (b.y - a.y))};
    case 3: return {far.x + mu * (a.x - far.x), far.y + mu * (a.y - far.y)};  // ray through a corner
    case 4: {  // a vertical ray ending at the edge of a side's widened box
        double y = b.x == a.x ? a.y : (far.x - a.x) * ((b.y - a.y) / (b.x - a.x)) + a.y;
        return {far.x, r.chance(50) ? y - t : nudge(y + (r.chance(50) ? t : -t))};
    }
    case 5: return {nudge(a.x + (r.chance(50) ? t : -t)), a.y};  // at a corner's widened box
    case 6: return far;
    case 7: return {r.chance(50) ? special(r) : a.x, r.chance(50) ? special(r) : a.y};
    case 8: return {double(r.below(9) - 1), double(r.below(9) - 1)};
    default: return {a.x + r.range(-2, 2) * (b.x - a.x + 1), a.y + r.range(-2, 2) * (b.y - a.y + 1)};
    }
}

// A state as the intake leaves it, with one text record and its frame built.
std::unique_ptr<DrawingState> random_state(Rng& r) {
    auto s = std::make_unique<DrawingState>();
    s->scale = r.chance(10) ? special(r) : r.chance(50) ? 1.0 : 100.0;
    s->gomi = r.chance(80) ? 0.00025 * s->scale : r.chance(50) ? special(r) : r.below(3) * 50.0;
    s->MOJIS = r.below(r.chance(5) ? 20 : 11) - (r.chance(3) ? 3 : 0);
    for (int k = 0; k <= 10; ++k) s->MOJI_H[k] = r.chance(10) ? 0.0 : r.range(1, 10), s->MOJI_W[k] = r.range(1, 10);
    s->GROUP = r.below(r.chance(5) ? 20 : 16);
    for (double& g : s->G_SCALE) g = r.chance(10) ? (r.chance(50) ? 0.0 : special(r)) : s->scale;
    const double ext = s->scale == 100.0 ? 10000.0 : 100.0, a = r.range(0, 6.283185307179586);
    for (int k = 0; k < 4; ++k) s->HANI[k] = r.chance(2) ? special(r) : k < 2 ? r.range(-ext, 0) : r.range(0, ext);
    s->ChX = r.range(-ext, ext), s->ChY = r.range(-ext, ext);
    const double len = r.chance(5) ? special(r) : r.range(0, ext / 10);
    const int turn = r.below(5);  // along x, along y, no direction, any angle
    s->ChDX = turn == 0 ? len : turn == 1 || turn == 2 ? 0.0 : len * std::cos(a);
    s->ChDY = turn == 1 ? -len : turn == 0 || turn == 2 ? 0.0 : len * std::sin(a);
    s->ChHEAD[0] = 'c', s->ChHEAD[1] = "hors"[r.below(4)];
    const double nagasa = r.chance(5) ? special(r) : r.range(1, 3000);
    Search_Ten(*s, nagasa, 0);
    if (r.chance(30)) {  // any four corners and far points: crossed, flat, in one point
        for (int k = 1; k <= 4; ++k) s->PT[k] = r.chance(40) ? s->PT[1] : Point{double(r.below(7)), double(r.below(7))};
        for (int k = 0; k < 3; ++k) s->Pmin[k] = r.chance(10) ? s->PT[1 + r.below(4)] : Point{-r.below(5) - 0.2 * k, -1.0 * r.below(5)};
    }
    const double span = std::isfinite(std::fabs(s->ChDX) + std::fabs(nagasa)) ? 1 + std::fabs(s->ChDX) + std::fabs(nagasa) : 1000;
    s->tenc = 1 + r.below(r.chance(10) ? 799 : 80);
    for (int k = 0; k < s->tenc; ++k)
        s->TEN[k] = r.chance(3) ? s->TEN[r.below(k + 1)] : r.chance(60) ? tricky(r, *s)
                  : Point{s->ChX + r.range(-span, span), s->ChY + r.range(-span / 10, span / 10)};
    for (StenEntry& e : s->STEN) e = {r.range(-9, 9), r.range(-9, 9), r.range(0, 9)};  // leftovers
    s->KPcnt = r.below(12);
    return s;
}

// The frame search alone, the search as the verdict calls it, and the verdict.
TEST(FastSearch, FindsWhatTheLiteralSearchFinds) {
    const char* const bodies[] = {"1500", "1,500", "2.5", "1.5M", "R300", "12", "\x82\x50\x82\x4f", "abc"};
    for (int seed = 0; seed < 6000 && !HasFailure(); ++seed) {
        Rng r(1000 + seed);
        auto s = random_state(r);
        const char* body = bodies[r.below(8)];
        for (int k = 0; k + 1 < s->tenc && k < 6; k += 2)  // pairs at the stated length: all verdicts
            s->TEN[k + 1] = {s->TEN[k].x + std::atof(body) + r.below(4) * 0.4, s->TEN[k].y};
        std::strcpy(s->ChSTR, body);
        const double nagasa = r.range(1, 3000);
        const int form = seed % 3, mode = r.below(2);
        int count[2], kp[2];
        StenEntry sten[2][kStenSize];
        for (int fast = 0; fast < 2; ++fast) {
            auto t = std::make_unique<DrawingState>(*s);
            set_fast_search(fast == 1);
            count[fast] = form == 0 ? Get_Ten_Hanni(*t) : form == 1 ? Search_Ten(*t, nagasa, mode) : Sun_chk(*t);
            kp[fast] = t->KPcnt;
            std::memcpy(sten[fast], t->STEN, sizeof t->STEN);
        }
        EXPECT_EQ(count[1], count[0]) << "seed " << seed;
        EXPECT_EQ(kp[1], kp[0]) << "seed " << seed;
        EXPECT_EQ(std::memcmp(sten[0], sten[1], sizeof sten[0]), 0) << "seed " << seed;
    }
}

TEST(FastSearch, WholeRunsWriteTheSameBytes) {
    for (int seed = 0; seed < 40; ++seed) {
        Rng r(77000 + seed);
        std::string in = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\nhcw 2.5 2.5\nhch 2.5 2.5\nhn 0 0 2000 1000\n#jw\nlg0\n";
        char line[256];
        for (int k = 1 + r.below(60); k >= 0; --k)
            in += (std::snprintf(line, sizeof line, "pt %d %d\n", r.below(40) * 50, r.below(20) * 50), line);
        in += "cn1\n";
        for (int k = r.below(30); k >= 0; --k) {
            const double a = r.chance(50) ? 0.0 : r.range(0, 6.283185307179586);
            std::snprintf(line, sizeof line, "c%c %d %d %.4f %.4f \"%d\n", "hors"[r.below(4)], r.below(40) * 50,
                          r.below(20) * 50 + 1, 6.25 * std::cos(a), 6.25 * std::sin(a), 50 * (1 + r.below(20)) + r.below(2));
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
            set_fast_search(fast == 1);
            EXPECT_EQ(run(c.s, 1, argv), 0);
            result[fast] = read_file("JWC_TEMP.TXT");
            trace[fast] = c.trace();
        }
        ASSERT_EQ(result[0], result[1]) << "seed " << seed;
        ASSERT_EQ(trace[0], trace[1]) << "seed " << seed;
    }
    set_fast_search(true);
}

}  // namespace
}  // namespace dimcheck::test
