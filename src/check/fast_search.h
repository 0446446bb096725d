// The shortcut end-point search for runs without traces: it finds the points
// that the literal search (points_in_frame_literal, which asks inside_frame
// about every point and so produces every trace in its order) finds, in the
// same order, and leaves the same bits in the found points and their count.
#pragma once

#include <memory>

#include "check/text.h"
#include "control/drawing.h"
#include "geometry/frame.h"

namespace dimcheck {

// The tested points of a drawing's end points with their coordinates sorted,
// for the shortcut. The driver builds it once, after duplicate removal; it
// holds for that drawing as long as nothing changes it.
class EndPointIndex {
public:
    explicit EndPointIndex(const Drawing& d);
    ~EndPointIndex();
    EndPointIndex(const EndPointIndex&) = delete;
    EndPointIndex& operator=(const EndPointIndex&) = delete;

    struct Table;
    const Table& table() const { return *table_; }

private:
    std::unique_ptr<Table> table_;  // about 230 KB
};

// The result of points_in_frame_literal without its traces, for the frame
// that search_end_points lays on the drawing `index` was built from.
int points_in_frame_fast(const Drawing& d, const EndPointIndex& index, const SearchFrame& frame,
                         const Text& text, FoundPoint* found);

}  // namespace dimcheck
