// explain/chain-of-910 (straight, 90°, 30°): no explanation touches a text, mark or explanation.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "support.h"

namespace dimcheck::test {

using Box = std::array<Point, 4>;  // corners in order round the box

// b lies beyond a side of e, judged along e's own two axes only (stricter than needed).
static bool apart(const Box& e, const Box& b) {
    for (int side : {1, 3}) {
        const double ax = e[side].x - e[0].x, ay = e[side].y - e[0].y;
        std::array<double, 4> at;  // b's corners along the axis: 0 at e[0], ax² + ay² at its end
        for (int i = 0; i < 4; ++i) at[i] = (b[i].x - e[0].x) * ax + (b[i].y - e[0].y) * ay;
        const auto [lo, hi] = std::minmax_element(at.begin(), at.end());
        if (*hi < 0 || *lo > ax * ax + ay * ay) return true;
    }
    return false;
}

TEST(Explain, NoExplanationTouchesTheTextsAndMarksOfAChain) {
    const std::string dir = std::string(DIMCHECK_TESTS_DIR) + "/e2e/cases/explain/chain-of-910/";
    std::istringstream records(read_file(dir + "in") + read_file(dir + "expect"));
    std::vector<Box> boxes;  // texts, marks, explanations and the summary
    std::vector<std::size_t> explanations;
    double x, y, dx, dy, r;
    for (std::string l; std::getline(records, l);) {
        if (l == "lt1") boxes.push_back({{{1e300, 1e300}, {}, {-1e300, -1e300}, {}}});  // a mark
        const bool circle = std::sscanf(l.c_str(), "ci %lf %lf %lf", &x, &y, &r) == 3;
        if (circle) dx = x + r, dy = y + r, x -= r, y -= r;
        if (circle || std::sscanf(l.c_str(), "%lf %lf %lf %lf", &x, &y, &dx, &dy) == 4) {
            Box& m = boxes.back();  // grows by each circle and stroke of the mark
            m[0] = {std::min({m[0].x, x, dx}), std::min({m[0].y, y, dy})};
            m[2] = {std::max({m[2].x, x, dx}), std::max({m[2].y, y, dy})};
            m[1] = {m[2].x, m[0].y}, m[3] = {m[0].x, m[2].y};
        }
        if (std::sscanf(l.c_str(), "ch %lf %lf %lf %lf", &x, &y, &dx, &dy) < 4) continue;
        const bool note = l.find("\"*") != std::string::npos;  // an explanation: half as high
        if (note) explanations.push_back(boxes.size());
        const double h = (note ? 125 : 250) / std::hypot(dx, dy);  // 2.5 mm at 1/100, or half
        const Point up = {-h * dy, h * dx};  // a quarter turn counter-clockwise, one height long
        boxes.push_back(
            {{{x, y}, {x + dx, y + dy}, {x + dx + up.x, y + dy + up.y}, {x + up.x, y + up.y}}});
    }
    ASSERT_EQ(explanations.size(), 18u);
    ASSERT_EQ(boxes.size(), 18u * 3 + 1);
    for (std::size_t e : explanations)
        for (std::size_t k = 0; k < boxes.size(); ++k)
            EXPECT_TRUE(k == e || apart(boxes[e], boxes[k])) << "explanation " << e << " at " << k;
}

}  // namespace dimcheck::test
