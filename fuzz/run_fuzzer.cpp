// libFuzzer target: one input is one whole run of the checker.
//
// Byte 0 chooses the trace option, byte 1 the magnification option (its high
// bit: hand the file over under the lower-case name); every further byte is
// the exchange file as the host would write it. The run happens in a scratch
// folder of its own, and afterwards the files it left are checked against
// what a run must leave behind whatever the selection holds. Any broken rule
// aborts with a message on stderr, which libFuzzer reports as a crash.
// Because the target changes the current folder at start, the corpus folders
// and the artifact prefix must be given as absolute paths.
#include <unistd.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "control/driver.h"
#include "control/records.h"
#include "control/state.h"

namespace {

namespace fs = std::filesystem;
using dimcheck::DrawingState;

const char* const kTraceOptions[8] = {"-t0", "-t1", "-t2", "-t3", nullptr, "-t-1", "-t", "/T1"};
const char* const kScaleOptions[16] = {"-b1",     nullptr,   "-b10",   "-b0.001",
                                       "-b1000",  "-b0",     "-b-1",   "-bnan",
                                       "-binf",   "-b1e308", "-b0x1p-3", "-babc",
                                       "-b",      "/B2.5",   "-b1e-300", "-b100"};

FILE* g_null = nullptr;

[[noreturn]] void broken(const char* rule, const std::string& detail = "") {
    std::fprintf(stderr, "\n*** run broke a rule: %s\n%s\n", rule, detail.c_str());
    std::abort();
}

void expect(bool ok, const char* rule, const std::string& detail = "") {
    if (!ok) broken(rule, detail);
}

std::string read_file(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool exists(const char* path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void write_file(const char* path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) broken("cannot write the exchange file in the scratch folder");
    if (size != 0 && std::fwrite(data, 1, size, f) != size) broken("short write");
    std::fclose(f);
}

void clean() {
    for (const char* name : {"JWC_TEMP.TXT", "jwc_temp.txt", "JWC_TEMP.$$$", "JWC_x2x2.$$",
                             "JWC_x2x2.$$$"})
        std::remove(name);
}

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

// Ends of the lines as a 512-byte line reader splits them.
std::vector<size_t> line_ends(const std::string& in) {
    std::vector<size_t> ends;
    size_t pos = 0;
    while (pos < in.size()) {
        size_t len = 0;
        while (pos + len < in.size() && len < 511) {
            ++len;
            if (in[pos + len - 1] == '\n') break;
        }
        pos += len;
        ends.push_back(pos);
    }
    return ends;
}

// The records that set the attributes back to those the selection started
// with, from the first-seen copies.
std::string restore_records(const DrawingState& s) {
    std::string r;
    if (s.MOJISi == 0)
        r += format("cn0 %.2f, %.2f, %.2f, %d\n", s.MOJIWi, s.MOJIHi, s.MOJIDi, s.MOJICi);
    else if (s.MOJISi <= 10)
        r += format("cn%d\n", s.MOJISi);
    r += format("lg%x\nly%x\nlt%d\nlc%d\n", static_cast<unsigned>(s.GROUPi),
                static_cast<unsigned>(s.LAYERi), s.TYPEi, s.COLORi);
    if (s.TENSi <= 9) r += format("pn%d\n", s.TENSi);
    return r;
}

size_t count_lines(const std::string& text, const std::string& line) {
    size_t n = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos) nl = text.size();
        if (text.compare(start, nl - start, line) == 0 && nl - start == line.size()) ++n;
        start = nl + 1;
    }
    return n;
}

void check_run(const DrawingState& s, int status, const std::string& input) {
    expect(status == 0 || status == 1 || status == -1, "status is 0, 1 or -1",
           format("status %d", status));
    expect(!exists("JWC_x2x2.$$") && !exists("JWC_x2x2.$$$"), "intermediate names are gone");
    expect(!exists("jwc_temp.txt"), "the exchange file ends under its upper-case name");

    std::string result = read_file("JWC_TEMP.TXT");

    if (status == -1) {
        expect(result == input, "on -1 the exchange file is untouched");
        return;
    }

    // The host reads an empty line as the end of a polyline.
    expect(result.empty() || result[0] != '\n', "no empty line in the result");
    expect(result.find("\n\n") == std::string::npos, "no empty line in the result");

    // The working copy: the lines read, then "#".
    bool kept = !(status == 0 && s.isTest == 0);
    expect(exists("JWC_TEMP.$$$") == kept, "working copy kept exactly when it should be");
    if (kept) {
        std::string copy = read_file("JWC_TEMP.$$$");
        expect(copy.size() >= 2 && copy.compare(copy.size() - 2, 2, "#\n") == 0,
               "working copy ends with the line #");
        size_t read = copy.size() - 2;
        expect(read <= input.size() && input.compare(0, read, copy, 0, read) == 0,
               "working copy starts with the input");
        std::vector<size_t> ends = line_ends(input);
        size_t k = 0;
        while (k < ends.size() && ends[k] < read) ++k;
        expect(read == 0 || (k < ends.size() && ends[k] == read),
               "working copy holds whole lines");
        if (read < input.size()) {
            // Stopped early: the line limit, or a record that can add an end point.
            size_t lines = read == 0 ? 0 : k + 1;
            size_t start = lines >= 2 ? ends[lines - 2] : 0;
            char c0 = read > start ? input[start] : '\0';
            char c1 = read > start + 1 ? input[start + 1] : '\0';
            bool point = c0 == ' ' || (c0 == 'p' && c1 == 't') || (c0 == 'c' && c1 == 'i');
            expect(lines > 50000 || (lines > 0 && point),
                   "the intake stops early only at a limit");
        }
    }

    if (status == 1) {
        std::string lines = format(dimcheck::kTooManyLines, 50000);
        std::string points = format(dimcheck::kTooManyPoints, 800);
        std::string none = std::string(dimcheck::kNoValuesHe) + dimcheck::kNoValuesStatus;
        expect(result == lines || result == points || result == none,
               "on a limit the result holds only its error record(s)", result.substr(0, 200));
        if (result == none) expect(s.mmax == 0, "no-value record only without texts");
        if (result == points) expect(s.tenc > 799, "point limit record only at the limit");
        return;
    }

    // status 0
    int marked = s.maru_count + s.sankaku_count + s.batu_count;
    expect(s.maru_count >= 0 && s.sankaku_count >= 0 && s.batu_count >= 0 && marked <= s.mmax,
           "the counters add up to at most the number of texts",
           format("maru %d sankaku %d batu %d mmax %d", s.maru_count, s.sankaku_count,
                  s.batu_count, s.mmax));
    expect(s.tenc <= 799, "a completed run has at most 799 end points");
    char summary[256];
    std::snprintf(summary, sizeof summary, dimcheck::kSummary, s.batu_count, s.sankaku_count,
                  s.maru_count, s.mmax);
    std::string tail = format("cn4\nch %.6f %.6f 10.0 0.0 \"", s.HANI[0],
                              s.HANI[1] - 10.0 * s.scale) +
                       summary + "\n" + restore_records(s) + "h# " + summary + "\n";
    expect(result.size() >= tail.size() &&
               result.compare(result.size() - tail.size(), tail.size(), tail) == 0,
           "the result ends with the summary, the restore records and the status line",
           result.size() > 600 ? result.substr(result.size() - 600) : result);
    std::string marks = result.substr(0, result.size() - tail.size());
    expect(count_lines(marks, "lt1") == static_cast<size_t>(marked),
           "one mark per counted verdict");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // One scratch folder for the whole fuzz run, left empty after each input.
    std::string templ = (fs::temp_directory_path() / "dimcheck-fuzz-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) broken("mkdtemp failed");
    fs::current_path(templ);
    g_null = std::fopen("/dev/null", "w");
    if (g_null == nullptr) broken("cannot open /dev/null");
    std::atexit([] {
        clean();
        std::error_code ec;
        fs::path here = fs::current_path(ec);
        fs::current_path(here.parent_path(), ec);
        fs::remove(here, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return -1;
    const char* trace = kTraceOptions[data[0] & 7];
    const char* magnification = kScaleOptions[data[1] & 15];
    bool lower_case_name = (data[1] & 0x80) != 0;

    clean();
    write_file(lower_case_name ? "jwc_temp.txt" : "JWC_TEMP.TXT", data + 2, size - 2);
    std::string input(reinterpret_cast<const char*>(data + 2), size - 2);

    std::vector<const char*> argv = {"dimcheck"};
    if (trace) argv.push_back(trace);
    if (magnification) argv.push_back(magnification);
    argv.push_back(nullptr);

    auto state = std::make_unique<DrawingState>();
    state->out = g_null;
    state->err = g_null;
    int status = dimcheck::run(*state, static_cast<int>(argv.size()) - 1, argv.data());
    check_run(*state, status, input);
    clean();
    return 0;
}
