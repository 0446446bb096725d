#include "support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace dimcheck::test {

std::string slurp(std::FILE* f) {
    std::fflush(f);
    long here = std::ftell(f);
    std::rewind(f);
    std::string bytes;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fseek(f, here, SEEK_SET);
    return bytes;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

Captured::Captured() : s(new DrawingState) {
    s->fpw = std::tmpfile();
    s->out = std::tmpfile();
    s->err = std::tmpfile();
    if (!s->fpw || !s->out || !s->err) throw std::runtime_error("tmpfile failed");
}

Captured::~Captured() {
    if (s->fpw) std::fclose(s->fpw);
    std::fclose(s->out);
    std::fclose(s->err);
}

ScratchDir::ScratchDir() {
    previous_ = std::filesystem::current_path().string();
    std::string templ = (std::filesystem::temp_directory_path() / "dimcheck-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
    std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace dimcheck::test
