// The files of one host run, all in one folder: the exchange file that the
// host hands over and takes back, the working copy, the result while it is
// written, and the report.
#pragma once

#include <string>

namespace dimcheck {

constexpr const char kExchange[] = "JWC_TEMP.TXT";
constexpr const char kWorking[] = "JWC_TEMP.$$$";
// The result while it is written; it replaces the exchange file only when
// complete. No step of the name chain ever renames it.
constexpr const char kResultTemp[] = "JWC_TEMP.$$R";
constexpr const char kReport[] = "dimcheck.csv";

struct RunFiles {
    std::string folder;  // empty: the current folder
    std::string exchange;
    std::string working;
    std::string result_temp;
    std::string report;

    // The path of a file of the folder, by its name.
    std::string path(const char* name) const;
};

// The files of a run in `folder` (the current folder when empty).
RunFiles run_files(const std::string& folder = "");

}  // namespace dimcheck
