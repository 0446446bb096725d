// libFuzzer target: one input is one whole run of the checker. Byte 0 picks
// the trace option, byte 1 the magnification (its high bit: hand the file over
// under the lower-case name); the rest is the exchange file. Afterwards the
// files the run left are held to what every run must leave, whatever the
// selection; a broken rule aborts with a message, which libFuzzer reports as a
// crash. The target works in a scratch folder of its own, so the corpus
// folders and the artifact prefix must be given as absolute paths.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/driver.h"
#include "control/records.h"
#include "marks/marks.h"

namespace {

namespace fs = std::filesystem;
const char* const kTrace[8] = {"-t0", "-t1", "-t2", "-t3", nullptr, "-t-1", "-t", "/T1"};
const char* const kScale[16] = {"-b1",     nullptr,    "-b10",  "-b0.001", "-b1000", "-b0",  "-b-1",     "-bnan",
                                "-binf",   "-b1e308",  "-b0x1p-3", "-babc", "-b",    "/B2.5", "-b1e-300", "-b100"};
const char* const kNames[] = {"JWC_TEMP.TXT", "jwc_temp.txt", "JWC_TEMP.$$$", "JWC_x2x2.$$", "JWC_x2x2.$$$"};

void expect(bool ok, const char* rule, const std::string& detail = "") {
    if (!ok) std::fprintf(stderr, "\n*** run broke a rule: %s\n%s\n", rule, detail.c_str()), std::abort();
}

std::string rest_of(std::FILE* f) {  // and closes it
    std::string bytes;
    char buf[4096];
    for (std::size_t n; f && (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    if (f) std::fclose(f);
    return bytes;
}

std::string printed(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}

void check_run(dimcheck::DrawingState& s, int status, const std::string& input) {
    expect(status == 0 || status == 1 || status == -1, "status is 0, 1 or -1", printed("%d", status));
    for (const char* gone : {"jwc_temp.txt", "JWC_x2x2.$$", "JWC_x2x2.$$$"})
        expect(!fs::exists(gone), "the exchange file ends under its upper-case name", gone);
    const std::string result = rest_of(std::fopen("JWC_TEMP.TXT", "rb"));
    if (status == -1) return expect(result == input, "on -1 the exchange file is untouched");
    // The host reads an empty line as the end of a polyline.
    expect(result[0] != '\n' && result.find("\n\n") == std::string::npos, "no empty line in the result");

    const bool kept = status != 0 || s.isTest != 0;
    expect(fs::exists("JWC_TEMP.$$$") == kept, "working copy kept exactly when it should be");
    const std::string copy = kept ? rest_of(std::fopen("JWC_TEMP.$$$", "rb")) : input + "#\n";
    const std::size_t read = copy.size() - 2;
    expect(copy.size() >= 2 && copy.compare(read, 2, "#\n") == 0 && read <= input.size() &&
               input.compare(0, read, copy, 0, read) == 0, "working copy: the lines read, then #");
    std::size_t at = 0, start = 0, lines = 0;  // pieces of at most 511 bytes, as read
    for (; at < read; ++lines) at = std::min({input.find('\n', start = at), at + 510, input.size() - 1}) + 1;
    expect(at == read, "working copy holds whole lines");
    const char* last = input.c_str() + start;
    expect(read == input.size() || lines > 50000 ||
               (read > 0 && (last[0] == ' ' || !std::strncmp(last, "pt", 2) || !std::strncmp(last, "ci", 2))),
           "the intake stops early only at a limit");
    if (status == 1) {
        const std::string points = printed(dimcheck::kTooManyPoints, 800);
        const std::string none = std::string(dimcheck::kNoValuesHe) + dimcheck::kNoValuesStatus;
        expect(result == printed(dimcheck::kTooManyLines, 50000) || result == points || result == none,
               "on a limit the result holds only its error record(s)", result.substr(0, 200));
        expect(result != none || s.mmax == 0, "no-value record only without texts");
        return expect(result != points || s.tenc > 799, "point limit record only at the limit");
    }
    const int marked = s.maru_count + s.sankaku_count + s.batu_count;
    expect(s.maru_count >= 0 && s.sankaku_count >= 0 && s.batu_count >= 0 && marked <= s.mmax,
           "the counters add up to at most the number of texts");
    expect(s.tenc <= 799, "a completed run has at most 799 end points");
    // The restore records as the run's own writer gives them for its last state.
    std::FILE* const result_file = std::exchange(s.fpw, std::tmpfile());
    dimcheck::IniZokusei(s);
    std::rewind(s.fpw);
    const std::string restore = rest_of(std::exchange(s.fpw, result_file));
    const std::string summary = printed(dimcheck::kSummary, s.batu_count, s.sankaku_count, s.maru_count, s.mmax);
    char where[1024];  // %f of a coordinate up to 1e308
    std::snprintf(where, sizeof where, "cn4\nch %.6f %.6f 10.0 0.0 \"", s.HANI[0], s.HANI[1] - 10.0 * s.scale);
    const std::string tail = where + summary + "\n" + restore + "h# " + summary + "\n";
    const std::size_t marks = result.size() - std::min(result.size(), tail.size());
    expect(result.size() >= tail.size() && result.compare(marks, tail.size(), tail) == 0,
           "the result ends with the summary, the restore records and the status line", result.substr(marks));
    std::size_t counted = 0;  // each mark starts with the line "lt1"
    for (at = 0; at < marks; at = result.find('\n', at) + 1) counted += result.compare(at, 4, "lt1\n") == 0;
    expect(counted == static_cast<std::size_t>(marked), "one mark per counted verdict");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static std::string scratch = (fs::temp_directory_path() / "dimcheck-fuzz-XXXXXX").string();
    expect(mkdtemp(scratch.data()) != nullptr, "mkdtemp");
    fs::current_path(scratch);
    std::atexit([] { std::error_code ec; fs::remove_all(scratch, ec); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::FILE* const null = std::fopen("/dev/null", "w");
    if (size < 2) return -1;
    for (const char* name : kNames) std::remove(name);
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
    std::FILE* f = std::fopen(data[1] & 0x80 ? "jwc_temp.txt" : "JWC_TEMP.TXT", "wb");
    expect(f && std::fwrite(input.data(), 1, input.size(), f) == input.size() && !std::fclose(f), "input written");
    std::vector<const char*> argv = {"dimcheck"};
    for (const char* option : {kTrace[data[0] & 7], kScale[data[1] & 15]})
        if (option) argv.push_back(option);
    auto state = std::make_unique<dimcheck::DrawingState>();
    state->out = state->err = null;
    check_run(*state, dimcheck::run(*state, static_cast<int>(argv.size()), argv.data()), input);
    return 0;
}
