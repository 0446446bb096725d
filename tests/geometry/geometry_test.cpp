// Plane geometry: the crossing test of two segments and the point-in-frame test.
#include "geometry/frame.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

TEST(Crossing, CountsAndDrawsTheMeetingPointsOfTwoSegments) {
    for (const Row& r : table("geometry/crossings.txt")) {
        SCOPED_TRACE(r.where);
        int count = r.integer(3);
        const Meeting m = add_meeting_points(count, r.nums(0).data(), r.nums(1).data(), r.num(2), 0, {0, nullptr});
        EXPECT_EQ(count, r.integer(4));
        const std::vector<double> d = r.nums(5);
        char want[256] = "", got[256] = "";
        if (!d.empty()) std::snprintf(want, sizeof want, "%d %d %.12f %.12f", int(d[0]), int(d[1]), d[2], d[3]);
        if (m.p != 0 || m.q != 0) std::snprintf(got, sizeof got, "%d %d %.12f %.12f", m.p, m.q, m.at.x, m.at.y);
        EXPECT_STREQ(got, want);
    }
}

TEST(Frame, APointIsInsideWhenEveryRayCrossesTheSidesAnOddNumberOfTimes) {
    for (const Row& r : table("geometry/frames.txt")) {
        SCOPED_TRACE(r.where);
        Captured c;
        SearchFrame f = test_frame();
        const std::vector<double> far = r.nums(1);
        for (std::size_t i = 0; i < far.size(); i += 2) f.far_points[i / 2] = {far[i], far[i + 1]};
        const InsideTest t = inside_frame(f, r.nums(0).data(), {r.integer(2), c.out.trace});
        const std::vector<int> got = {t.inside(), t.counts[2], r.integer(2) >= 1 && t.counts[0] == 3};  // the ray drawn from level 1
        EXPECT_EQ(got, (std::vector<int>{r.integer(3), r.integer(4), r.integer(5)}));
    }
}

}  // namespace dimcheck::test
