#include "run/files.h"

namespace dimcheck {

std::string RunFiles::path(const char* name) const {
    return folder.empty() ? std::string(name) : folder + "/" + name;
}

RunFiles run_files(const std::string& folder) {
    RunFiles f;
    f.folder = folder;
    f.exchange = f.path(kExchange);
    f.working = f.path(kWorking);
    f.result_temp = f.path(kResultTemp);
    f.report = f.path(kReport);
    return f;
}

}  // namespace dimcheck
