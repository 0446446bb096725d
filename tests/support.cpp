#include "support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace dimcheck::test {

namespace fs = std::filesystem;

static std::string rest_of(std::FILE* f) {
    std::string bytes;
    char buf[4096];
    for (std::size_t n; f && (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    return bytes;
}

std::string slurp(std::FILE* f) {
    std::fflush(f);
    long here = std::ftell(f);
    std::rewind(f);
    std::string bytes = rest_of(f);
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
    std::ofstream(path, std::ios::binary) << bytes;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string cp932(const std::string& utf8) {
    // The texts hold neither single quotes nor backslashes.
    std::FILE* p = popen(("printf '%s' '" + utf8 + "' | iconv -f UTF-8 -t CP932").c_str(), "r");
    std::string bytes = rest_of(p);
    return p && pclose(p) == 0 ? bytes : "<iconv failed>";
}

Captured::Captured() : owned(new DrawingState), s(*owned) {
    s.fpw = std::tmpfile();
    s.out = std::tmpfile();
    s.err = std::tmpfile();
    if (!s.fpw || !s.out || !s.err) throw std::runtime_error("tmpfile failed");
}

Captured::~Captured() {
    if (s.fpw) std::fclose(s.fpw);
    std::fclose(s.out);
    std::fclose(s.err);
}

void set_frame(DrawingState& s) {
    const Point frame[] = {{0, 0}, {10, 0}, {10, 4}, {0, 4}};
    const Point far[] = {{-50, -18}, {-50.2, -18}, {-50.4, -18}};
    std::copy(frame, frame + 4, s.PT + 1);
    std::copy(far, far + 3, s.Pmin);
    s.PTcnt = 4;
}

ScratchDir::ScratchDir()
    : path((fs::temp_directory_path() / "dimcheck-XXXXXX").string()),
      previous(fs::current_path().string()) {
    if (mkdtemp(path.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    fs::current_path(path);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(path, ec);
}

Outcome run_program(const std::vector<std::string>& args, unsigned long max_file_bytes) {
#ifdef DIMCHECK_WINE_EXE
    std::vector<std::string> all{DIMCHECK_WINE, DIMCHECK_WINE_EXE};
#else
    std::vector<std::string> all{DIMCHECK_EXE};
#endif
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int in = open("/dev/null", O_RDONLY);
        int out = open(".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0)
            _exit(126);
#ifdef DIMCHECK_WINE_EXE
        setenv("WINEPREFIX", DIMCHECK_WINEPREFIX, 1);  // made by wine/prefix.sh
        setenv("WINEDEBUG", "-all", 1);  // nothing but the program's own stderr
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
#endif
        if (max_file_bytes != 0) {
            struct rlimit limit = {max_file_bytes, max_file_bytes};
            signal(SIGXFSZ, SIG_IGN);
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    Outcome o;
    o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    o.out = read_file(".stdout");
    o.err = read_file(".stderr");
    std::remove(".stdout");
    std::remove(".stderr");
    return o;
}

}  // namespace dimcheck::test
