// Plane geometry: the crossing test of two segments and the point-in-frame test.
#include "geometry/geometry.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(Crossing, CountsAndDrawsTheMeetingPointsOfTwoSegments) {
    for (const Row& r : table("geometry/crossings.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        c.s.trace_level = 1, c.s.crossing_margin = r.num(2), c.s.crossing_count = r.integer(3);
        EXPECT_EQ(add_meeting_points(c.s, r.nums(0).data(), r.nums(1).data(), 0), r.integer(4));
        const std::vector<double> d = r.nums(5);
        char want[256] = "";
        if (!d.empty())
            std::snprintf(want, sizeof want, "pt %.12f %.12f \n# # p(%d) q(%d) kten(%.1f , %.1f)\n", d[2], d[3],
                          int(d[0]), int(d[1]), d[2], d[3]);
        EXPECT_EQ(c.result(), want);
    }
}

TEST(Frame, APointIsInsideWhenEveryRayCrossesTheSidesAnOddNumberOfTimes) {
    for (const Row& r : table("geometry/frames.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        set_frame(c.s);
        c.s.trace_level = r.integer(2);
        const std::vector<double> far = r.nums(1);
        for (std::size_t i = 0; i < far.size(); i += 2) c.s.far_points[i / 2] = {far[i], far[i + 1]};
        EXPECT_EQ(inside_frame(c.s, r.nums(0).data()), r.integer(3));
        EXPECT_EQ(count_of(c.result(), "# KPcnt=3\n"), std::size_t(r.integer(5)));
    }
}

}  // namespace dimcheck::test
