// Runs the built dimcheck program in a scratch folder and collects what it
// left behind.
#pragma once

#include <string>
#include <vector>

namespace dimcheck::test {

struct Outcome {
    int status = -1;      // exit status as the shell sees it (0..255)
    std::string out;      // standard output
    std::string err;      // standard error
};

// Runs the program with `args` in the current folder.
Outcome run_program(const std::vector<std::string>& args);

// Lines of a file, without their line ends.
std::vector<std::string> read_lines(const std::string& path);

}  // namespace dimcheck::test
