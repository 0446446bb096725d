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
        SearchFrame f = test_frame();
        const std::vector<double> far = r.nums("far points");
        for (std::size_t i = 0; i < far.size(); i += 2) f.far_points[i / 2] = {far[i], far[i + 1]};
        const InsideTest t =
            inside_frame(f, r.nums("segment").data(), {r.integer("level"), c.out.trace});
        const std::vector<int> got = {
            t.inside(), t.counts[2],
            r.integer("level") >= 1 && t.counts[0] == 3};  // drawn from level 1
        EXPECT_EQ(got,
                  (std::vector<int>{r.integer("inside"), r.integer("count"), r.integer("drawn")}));
    }
}

}  // namespace dimcheck::test
