// Runs the built dimcheck program in a scratch folder and collects what it
// left behind. The same cases run against the Linux program and, in the
// Windows suite, against dimcheck.exe under Wine.
#pragma once

#include <string>
#include <vector>

namespace dimcheck::test::wine {

struct Outcome {
    int status = -1;      // exit status as the shell sees it (0..255)
    std::string out;      // standard output
    std::string err;      // standard error
};

// Runs the program that this suite tests with `args` in the current folder.
Outcome run_program(const std::vector<std::string>& args);

// Runs the Linux program, whichever suite this is.
Outcome run_linux(const std::vector<std::string>& args);

#ifdef DIMCHECK_WINE_EXE
// Runs dimcheck.exe under Wine in the suite's own prefix.
Outcome run_windows(const std::vector<std::string>& args);
#endif

// Turns bytes that the Linux program writes into the bytes that the program
// under test writes: unchanged on Linux; on Windows every line end that is a
// lone LF becomes CR LF, as the C library's text mode writes it.
std::string as_written(const std::string& linux_bytes);

// Runs a command (found on PATH) in the current folder with its output
// discarded; returns its exit status.
int run_command(const std::vector<std::string>& argv);

// Lines of a file, without their line ends.
std::vector<std::string> read_lines(const std::string& path);

}  // namespace dimcheck::test::wine
