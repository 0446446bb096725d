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
        // What a trace at level 1 draws: the point, when a branch found one.
        const std::vector<double> point = r.nums("meeting point");
        char want[256] = "";
        char got[256] = "";
        if (!point.empty()) std::snprintf(want, sizeof want, "%.12f %.12f", point[0], point[1]);
        if (m.p != 0 || m.q != 0) std::snprintf(got, sizeof got, "%.12f %.12f", m.at.x, m.at.y);
        EXPECT_STREQ(got, want);
    }
}

TEST(Frame, APointIsInsideWhenEveryRayCrossesTheSidesAnOddNumberOfTimes) {
    for (const Row& r : table("geometry/frames.txt")) {
        SCOPED_TRACE(r.where);
        // The frame (0,0) (10,0) (10,4) (0,4), far points below and left of it unless given.
        SearchFrame f = {{{0, 0}, {0, 0}, {10, 0}, {10, 4}, {0, 4}},
                         {{-50, -18}, {-50.2, -18}, {-50.4, -18}},
                         0.00025};
        const std::vector<double> far = r.nums("far points");
        for (std::size_t i = 0; i < far.size(); i += 2) f.far_points[i / 2] = {far[i], far[i + 1]};
        const InsideTest t = inside_frame(f, r.nums("segment").data(), {0, nullptr});
        EXPECT_EQ(t.inside(), r.integer("inside"));
        EXPECT_EQ(t.counts[2], r.integer("count"));
    }
}

}  // namespace dimcheck::test
