#include "control/output.h"

namespace dimcheck {

bool close_whole(std::FILE* f) {
    bool ok = std::ferror(f) == 0;
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

void say_cannot_open(std::FILE* err, const char* name, bool line_end) {
    std::fprintf(err, "Cannot open file: %s%s", name, line_end ? "\n" : "");
}

void say_cannot_write(std::FILE* err, const char* name) {
    std::fprintf(err, "Cannot write file: %s", name);
}

}  // namespace dimcheck
