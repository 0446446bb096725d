// index.html of a folder check: every drawing and layer group with its
// counts, the worst first, linking its picture and the reports. A page of
// its own: no script, nothing from outside the folder.
#pragma once

#include <string>
#include <vector>

namespace dimcheck::picture {

struct IndexRow {
    std::string drawing;  // UTF-8, relative to the path given
    int group = -1;       // -1: the drawing could not be read
    double scale{};
    int good{}, to_check{}, wrong{}, left_out{}, texts{},
        not_selectable{};  // shown when group >= 0
    std::string state;    // UTF-8: checked, nothing to check, not checked and why, not read and why
    std::string picture;  // the picture's path in the output folder (UTF-8), or empty
    bool unchecked = false;  // not read, or not checked: shown as a fault
};

// The page, rows sorted most crosses first, then most triangles, then by
// drawing and group.
std::string index_page(std::vector<IndexRow> rows, const std::string& totals);

}  // namespace dimcheck::picture
