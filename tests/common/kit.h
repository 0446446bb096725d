// Shared by the tests, the fuzz target and the benchmark: seeded random
// numbers, a scratch folder, whole files and a stream that discards.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace dimcheck::test {

class Rng {  // splitmix64: the same sequence on every machine
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // in [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t s_;
};

struct ScratchDir {  // an empty folder of its own, removed with it
    ScratchDir() {
        path = (std::filesystem::temp_directory_path() / "dimcheck-XXXXXX").string();
        if (mkdtemp(path.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// The bytes of a file; empty for a file that is not there.
inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A stream for traces nobody reads.
inline std::FILE* null_stream() {
    static std::FILE* const null = std::fopen("/dev/null", "w");
    return null;
}

}  // namespace dimcheck::test
