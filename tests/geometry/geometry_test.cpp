// Plane geometry: the crossing test of two segments and the point-in-frame test.
#include "geometry/frame.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(Crossing, CountsAndDrawsTheMeetingPointsOfTwoSegments) {
    for (const Row& r : table("geometry/crossings.txt")) {
        SCOPED_TRACE(r.where);
        int count = r.integer("start");
        const Meeting m = add_meeting_points(count, r.nums("A").data(), r.nums("B").data(),
                                             r.num("margin"), 0, {0, nullptr});
        EXPECT_EQ(count, r.integer("count"));
        const std::vector<double> d = r.nums("drawn");
        char want[256] = "", got[256] = "";
        if (!d.empty())
            std::snprintf(want, sizeof want, "%d %d %.12f %.12f", int(d[0]), int(d[1]), d[2], d[3]);
        if (m.p != 0 || m.q != 0)
            std::snprintf(got, sizeof got, "%d %d %.12f %.12f", m.p, m.q, m.at.x, m.at.y);
        EXPECT_STREQ(got, want);
    }
}

TEST(Frame, APointIsInsideWhenEveryRayCrossesTheSidesAnOddNumberOfTimes) {
    for (const Row& r : table("geometry/frames.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        // The frame (0,0) (10,0) (10,4) (0,4), far points below and left of it unless given.
        SearchFrame f = {{{0, 0}, {0, 0}, {10, 0}, {10, 4}, {0, 4}},
                         {{-50, -18}, {-50.2, -18}, {-50.4, -18}},
                         0.00025};
        const std::vector<double> far = r.nums("far points");
        for (std::size_t i = 0; i < far.size(); i += 2) f.far_points[i / 2] = {far[i], far[i + 1]};
        const int level = r.integer("level");
        const InsideTest t = inside_frame(f, r.nums("segment").data(), {level, c.out.trace});
        const bool drawn = level >= 1 && t.counts[0] == 3;  // the first ray, from level 1 on
        EXPECT_EQ(t.inside(), r.integer("inside"));
        EXPECT_EQ(t.counts[2], r.integer("count"));
        EXPECT_EQ(drawn, r.integer("drawn"));
    }
}

}  // namespace dimcheck::test
