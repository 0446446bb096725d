// dimcheck --check [options] [--out DIR] PATH...: every Jw_cad drawing of the
// paths given, checked layer group by layer group as if the operator had
// selected each group whole in the host, into one report for the set.
#pragma once

#include <cstdio>
#include <filesystem>
#include <vector>

namespace dimcheck {

// Exit statuses of the folder check; the highest that applies is returned.
enum FolderCheckStatus {
    kAllGood = 0,        // every drawing read, every group with values checked, no cross
    kCrossesFound = 1,   // as 0, but some text was marked wrong
    kNotAllChecked = 2,  // a drawing could not be read or a group was past the limits
    kNothingDone = 3,    // no path, an option refused, or an output folder not ours
    kOutputLost = 4,     // the report or the summary could not be written (the rest was)
};

// The arguments after --check. Progress goes to `err`, one line per drawing;
// the totals and the output folder's path to `out`.
int check_folder(const std::vector<std::filesystem::path>& args, std::FILE* out, std::FILE* err);

}  // namespace dimcheck
