// libFuzzer target: one input is one whole run of the checker. Byte 0 picks
// the trace option (bits 0-2) and turns -e, -r, -n and -s on (bits 3-6), byte 1
// the magnification (bits 0-3; bit 7: hand the file over under the lower-case
// name); the rest is the exchange file. The files the run left are then held to
// what every run must leave, whatever the selection and the options, and a
// completed run with -e is repeated without it: the same result less the
// explanations, the same report. A broken rule aborts with a message, which
// libFuzzer reports as a crash. The runs work in a scratch folder of their
// own.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/kit.h"
#include "control/result_texts.h"
#include "run/files.h"
#include "run/host_run.h"

namespace {

namespace fs = std::filesystem;
using namespace dimcheck;
const char* const kTrace[8] = {"-t0", "-t1", "-t2", "-t3", nullptr, "-t-1", "-t", "/T1"};
const char* const kScale[16] = {"-b1",  nullptr, "-b10",     "-b0.001", "-b1000",   "-b0",
                                "-b-1", "-bnan", "-binf",    "-b1e308", "-b0x1p-3", "-babc",
                                "-b",   "/B2.5", "-b1e-300", "-b100"};

void expect(bool ok, const char* rule, const std::string& detail = "") {
    if (ok) return;
    std::fprintf(stderr, "\n*** run broke a rule: %s\n%s\n", rule, detail.c_str());
    std::abort();
}

// The scratch folder of the runs, removed at exit.
const test::ScratchDir& scratch() {
    static const test::ScratchDir folder;
    return folder;
}

std::string printed(const char* format, int a, int b = 0, int c = 0, int d = 0, int e = 0) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, a, b, c, d, e);
    return buf;
}

// The length of the records of one explanation at `at` in a result, or 0: a text-kind record
// ("cn...") and a text record whose body starts with '*'. The one place to adapt when where and
// how they are drawn changes.
std::size_t explanation_at(const std::string& r, std::size_t at) {
    const std::size_t text = r.find('\n', at) + 1;
    const std::size_t end = r.find('\n', text) + 1;
    const std::size_t quote = r.find('"', text);
    const bool is = !r.compare(at, 2, "cn") && !r.compare(text, 3, "ch ") && quote + 2 < end;
    return is && r[quote + 1] == '*' ? end - at : 0;
}

int delete_explanations(std::string& r) {  // from a whole result; returns how many
    int deleted = 0;
    std::size_t at = 0;
    while (at < r.size()) {
        const std::size_t n = explanation_at(r, at);
        if (n == 0) {
            at = r.find('\n', at) + 1;
            continue;
        }
        r.erase(at, n);
        ++deleted;
    }
    return deleted;
}

void check_run(const RunFiles& files, const Options& o, const Drawing& d, const Output& s,
               int status, const std::string& input) {
    // Here the result and the report can always be written: no status 2 or 3.
    expect(status == 0 || status == 1 || status == -1, "status 0, 1 or -1", printed("%d", status));
    const int left = 1 + fs::exists(files.working) + fs::exists(files.report);
    expect(fs::exists(files.exchange) &&
               std::distance(fs::directory_iterator(files.folder), {}) == left,
           "no other file is left");
    expect(fs::exists(files.report) == (o.report && status == 0),
           "a report just after -r completed");
    std::string result = test::read_file(files.exchange);
    if (status == -1) {
        expect(result == input, "on -1 the exchange file is untouched");
        return;
    }
    // The host reads an empty line as the end of a polyline.
    expect(result[0] != '\n' && result.find("\n\n") == std::string::npos, "no empty line");

    const bool kept = status != 0 || o.trace_level != 0;
    expect(fs::exists(files.working) == kept, "working copy kept exactly when it should be");
    const std::string copy = kept ? test::read_file(files.working) : input + "#\n";
    const std::size_t read = copy.size() - 2;
    expect(copy.size() >= 2 && copy.compare(read, 2, "#\n") == 0 && read <= input.size() &&
               input.compare(0, read, copy, 0, read) == 0,
           "working copy: the lines read, then #");
    std::size_t pieces = 0;  // of at most 511 bytes, as read
    std::size_t at = 0;
    std::size_t start = 0;
    while (at < read) {
        start = at;
        at = std::min({input.find('\n', start), at + 510, input.size() - 1}) + 1;
        ++pieces;
    }
    expect(at == read, "working copy holds whole lines");
    const bool at_point = read > 0 && (input[start] == ' ' || !input.compare(start, 2, "pt") ||
                                       !input.compare(start, 2, "ci"));
    expect(read == input.size() || pieces > 50000 || at_point,
           "the intake stops early only at a limit");
    // The point limit record only at that limit, the no-value records only without texts.
    const bool points = result == printed(kTooManyPoints, 800) && d.end_point_count > 799;
    const std::string note = o.illegal_seen ? kIllegalOptionNote : "";
    const std::string no_values = std::string(kNoValuesHe) + kNoValuesStatus + note + "\n";
    const bool no_text = result == no_values && !d.text_count;
    if (status == 1) {
        expect(result == printed(kTooManyLines, 50000) || points || no_text,
               "on a limit the result holds only its error record(s)", result.substr(0, 200));
        return;
    }
    const int marked = s.circle_count + s.triangle_count + s.cross_count;
    expect(s.circle_count >= 0 && s.triangle_count >= 0 && s.cross_count >= 0 &&
               s.left_out_count >= 0 && marked + s.left_out_count <= d.text_count,
           "the counters add up to at most the number of texts");
    expect(d.end_point_count <= 799, "a completed run has at most 799 end points");
    const std::string summary =
        o.leave_notes_out
            ? printed(kSummaryLeavingOut, s.cross_count, s.triangle_count, s.circle_count,
                      s.left_out_count, d.text_count)
            : printed(kSummary, s.cross_count, s.triangle_count, s.circle_count, d.text_count);
    // The restore records, stated here: the first text kind (free size with its sizes, or any other
    // up to 10 as sent), layer group and layer in hex, line type and colour, point kind up to 9.
    const FirstSeen& f = d.first;
    char restore[4096] = "";  // %.2f of 1e308
    if (f.text_kind == 0)
        std::snprintf(restore, sizeof restore, "cn0 %.2f, %.2f, %.2f, %d\n", f.free_width,
                      f.free_height, f.free_spacing, f.free_colour);
    std::string restored =
        restore + (f.text_kind != 0 && f.text_kind <= 10 ? printed("cn%d\n", f.text_kind) : "") +
        printed("lg%x\nly%x\nlt%d\nlc%d\n", f.layer_group, f.layer, f.line_type, f.line_colour) +
        (f.point_kind <= 9 ? printed("pn%d\n", f.point_kind) : "");
    char where[1024];  // %f of a coordinate up to 1e308
    std::snprintf(where, sizeof where, "cn4\nch %.6f %.6f 10.0 0.0 \"", d.selection_extent[0],
                  d.selection_extent[1] - 10.0 * d.scale);
    const std::string tail = where + summary + "\n" + restored + "h# " + summary + note + "\n";
    const std::size_t marks = result.size() - std::min(result.size(), tail.size());
    expect(result.size() >= tail.size() && result.compare(marks, tail.size(), tail) == 0,
           "the result ends with the summary, the restore records and the status line",
           result.substr(marks));
    std::size_t counted = 0;  // each mark starts with the line "lt1"
    for (at = 0; at < marks; at = result.find('\n', at) + 1)
        counted += !result.compare(at, 4, "lt1\n");
    expect(counted == static_cast<std::size_t>(marked), "one mark per counted verdict");
    expect(delete_explanations(result) == (o.explain ? s.triangle_count + s.cross_count : 0),
           "with -e an explanation per triangle and cross, none without");
    const std::string report =
        test::read_file(files.report);  // rows end in CR LF, which no field holds
    counted = 0;                        // text_count is the summary's
    for (at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at + 2))
        ++counted;
    expect(!o.report || (counted == d.text_count + 1u && report.rfind("\r\n") + 2 == report.size()),
           "the report: a header and a row per text, each ending in CR LF",
           printed("%d rows", int(counted)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RunFiles files = run_files(scratch().path);
    if (size < 2) return -1;
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
    std::vector<const char*> argv = {"dimcheck"};
    for (const char* option : {kTrace[data[0] & 7], kScale[data[1] & 15],
                               data[0] & 16 ? "-r" : nullptr, data[0] & 32 ? "-n" : nullptr,
                               data[0] & 64 ? "-s" : nullptr, data[0] & 8 ? "-e" : nullptr})
        if (option) argv.push_back(option);
    // A completed run with -e (the last option) is repeated without it.
    for (std::string plain, report;; argv.pop_back()) {
        for (const auto& entry : fs::directory_iterator(files.folder)) fs::remove(entry.path());
        std::FILE* f =
            std::fopen(files.path(data[1] & 0x80 ? "jwc_temp.txt" : kExchange).c_str(), "wb");
        const bool written = f && std::fwrite(input.data(), 1, input.size(), f) == input.size();
        expect(written && !std::fclose(f), "input written");
        Options options;
        auto drawing = std::make_unique<Drawing>();
        Output out = {nullptr, nullptr, test::null_stream(), test::null_stream()};
        const int status =
            run(static_cast<int>(argv.size()), argv.data(), files, options, *drawing, out);
        check_run(files, options, *drawing, out, status, input);
        const bool same = status == 0 && test::read_file(files.exchange) == plain &&
                          test::read_file(files.report) == report;
        if (!plain.empty()) {
            expect(same, "-e adds the explanations and nothing else");
            return 0;
        }
        if (status != 0 || !options.explain) return 0;
        delete_explanations(plain = test::read_file(files.exchange));
        report = test::read_file(files.report);
    }
}
