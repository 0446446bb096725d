// In the recorded case explain/chain-of-910 no explanation touches another text, a mark or another explanation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "support.h"

namespace dimcheck::test {

using Box = std::vector<Point>;  // four corners in order round the box

// Whether b lies beyond a side of the explanation e, judged along e's own axes only (stricter than needed).
static bool apart(const Box& e, const Box& b) {
    for (const Point& a : {Point{e[1].x - e[0].x, e[1].y - e[0].y}, Point{e[3].x - e[0].x, e[3].y - e[0].y}}) {
        std::vector<double> at;  // the corners of b along a, from 0 at e[0] to a.a at e's far side
        for (const Point& q : b) at.push_back((q.x - e[0].x) * a.x + (q.y - e[0].y) * a.y);
        const auto [lo, hi] = std::minmax_element(at.begin(), at.end());
        if (*hi < 0 || *lo > a.x * a.x + a.y * a.y) return true;
    }
    return false;
}

TEST(Explain, NoExplanationTouchesTheTextsAndMarksOfAChain) {
    const std::string dir = std::string(DIMCHECK_TESTS_DIR) + "/e2e/cases/explain/chain-of-910/";
    std::istringstream records(read_file(dir + "in") + read_file(dir + "expect"));  // the texts, then the result
    std::vector<Box> boxes;  // of texts and marks; which of them are explanations:
    std::vector<std::size_t> explanations;
    double height = 0, x, y, dx, dy, r;
    for (std::string l; std::getline(records, l);) {
        if (l.rfind("cn", 0) == 0) height = std::sscanf(l.c_str(), "cn0 %lf, %lf", &x, &y) == 2 ? 100 * y : 250;
        if (l == "lt1") boxes.push_back({{1e300, 1e300}, {}, {-1e300, -1e300}, {}});  // a mark: its circles and strokes
        if (std::sscanf(l.c_str(), "ci %lf %lf %lf", &x, &y, &r) == 3) dx = x + r, dy = y + r, x -= r, y -= r;
        if (l[0] == 'c' ? l[1] == 'i' : std::sscanf(l.c_str(), "%lf %lf %lf %lf", &x, &y, &dx, &dy) == 4) {
            Box& m = boxes.back();
            m[0] = {std::min({m[0].x, x, dx}), std::min({m[0].y, y, dy})}, m[1] = {std::max({m[2].x, x, dx}), m[0].y};
            m[2] = {m[1].x, std::max({m[2].y, y, dy})}, m[3] = {m[0].x, m[2].y};
        }
        if (std::sscanf(l.c_str(), "ch %lf %lf %lf %lf", &x, &y, &dx, &dy) < 4) continue;
        if (l.find("\"*") != std::string::npos) explanations.push_back(boxes.size());
        const double up = height / std::hypot(dx, dy);  // a quarter turn counter-clockwise, one height long
        boxes.push_back({Point{x, y}, {x + dx, y + dy}, {x + dx - up * dy, y + dy + up * dx}, {x - up * dy, y + up * dx}});
    }
    ASSERT_EQ(explanations.size(), 18u);
    ASSERT_EQ(boxes.size(), 18u * 3 + 1);  // texts, marks, explanations and the summary
    for (std::size_t e : explanations)
        for (std::size_t k = 0; k < boxes.size(); ++k)
            EXPECT_TRUE(k == e || apart(boxes[e], boxes[k])) << "explanation " << e << " touches box " << k;
}

}  // namespace dimcheck::test
