// Helpers shared by the tests: files, the values of a run with captured streams, a
// ready-made frame, a scratch folder, random numbers and the program's runner.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"
#include "geometry/frame.h"

namespace dimcheck::test {

std::string slurp(std::FILE* f);  // a whole stream, read from its start
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
std::size_t count_of(const std::string& text, const std::string& part);
std::string cp932(const std::string& utf8);  // the bytes that iconv gives for code page 932

struct Captured {  // fresh values of a run whose result, trace and error streams go to temporary files
    Captured();
    ~Captured();
    std::string result() const { return slurp(out.result); }
    std::string trace() const { return slurp(out.trace); }
    Options o;
    Drawing d;
    Output out;
};

// The frame (0,0) (10,0) (10,4) (0,4) with the three far points below and to
// the left of it, 0.2 apart in x.
SearchFrame test_frame();

struct ScratchDir {  // an empty folder, the current one for the scope, removed after it
    ScratchDir();
    ~ScratchDir();
    std::string path, previous;
};

class Rng {  // splitmix64: the same sequence on every machine
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t s_;
};

// Runs the program under test in the current folder: the Linux program, or in
// the Windows suite dimcheck.exe under Wine in the suite's prefix. A non-zero
// `max_file_bytes` limits every file it writes, as a full disk would.
struct Outcome {
    int status = -1;  // as the shell sees it (0..255)
    std::string out, err;
};
Outcome run_program(const std::vector<std::string>& args, unsigned long max_file_bytes = 0);

}  // namespace dimcheck::test
