// A drawing's layer groups as the host would hand each over to the checker
// when the operator selects all of it: one exchange file per group.
#pragma once

#include <string>
#include <vector>

#include "jww/drawing.h"

namespace dimcheck::jww {

struct GroupSelection {
    int group = 0;
    std::string exchange;  // the exchange file, LF line ends, as the host writes it
    int records = 0;       // its lines; more than the checker's limit stops before the rest
    int left_out = 0;      // elements on hidden or display-only layers, which cannot be selected
    int texts = 0;         // texts handed over
};

// Every layer group that holds elements (its own, or placed there by a block
// insert), in group order. Lines, circles and arcs, points (not temporary
// ones) and drawn texts are handed over at real size (paper millimetres times
// the group's scale); a dimension object as its line, its value and its end
// marks (the ends of its line where it stores none); a block insert as the
// elements of its definition placed by it, in the insert's group and layer.
// Solids, the host's setting texts and control texts are not handed over.
// `file` is written as the selection's file name, which the report shows.
std::vector<GroupSelection> select_groups(const Drawing& d, const std::string& file);

}  // namespace dimcheck::jww
