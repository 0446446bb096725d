// Helpers shared by the tests: a fresh drawing state whose result stream and
// trace stream are captured, and a scratch folder to run in.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "control/state.h"

namespace dimcheck::test {

// Reads a whole stream from its start.
std::string slurp(std::FILE* f);
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);

// A fresh state with the result file, the trace stream and the error stream
// going into temporary files.
struct Captured {
    Captured();
    ~Captured();
    Captured(const Captured&) = delete;
    Captured& operator=(const Captured&) = delete;

    std::string result() const { return slurp(s->fpw); }
    std::string trace() const { return slurp(s->out); }
    std::string errors() const { return slurp(s->err); }

    std::unique_ptr<DrawingState> s;
};

// Creates an empty folder, makes it the current one, and removes it (with
// everything in it) when it goes out of scope.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

}  // namespace dimcheck::test
