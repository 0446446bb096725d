// The literal and the fast end-point search, side by side on the same drawing
// in one run. Each selection is read by the real intake (with its point
// consolidation); every iteration then judges the same slice of its texts with
// judge_text, once with each search. Reported per (text x end point), with the
// ratio at the end. Before timing, both searches are run over the slice and
// must agree on every count, every found point and every verdict.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "check/fast_search.h"
#include "check/verdict.h"
#include "common/kit.h"
#include "intake/consolidate.h"
#include "intake/intake.h"
#include "selection.h"

namespace {

using namespace dimcheck;
using bench::Kind;

struct Loaded {
    std::unique_ptr<Drawing> d;
    std::unique_ptr<EndPointIndex> index;  // as the driver builds it
    std::vector<std::string> texts;        // the text records, line ends cut
    int lines = 0;
};

// The first pass of a run, as the driver makes it, in a scratch folder.
Loaded load(Kind kind) {
    bench::Selection sel = bench::generate(kind, 1);
    Loaded l;
    l.d = std::make_unique<Drawing>();
    Drawing& d = *l.d;
    const Trace quiet = {0, test::null_stream()};  // the consolidation's comparison lines

    const test::ScratchDir dir;
    const std::string in = dir.file("JWC_TEMP.TXT");
    test::write_file(in, sel.exchange);
    l.lines = read_selection(d, quiet, stderr, in.c_str(), dir.file("JWC_TEMP.$$$").c_str());
    consolidate(d, quiet);
    l.index = std::make_unique<EndPointIndex>(d);

    // The text records, parsed as the second pass parses them when judged.
    std::size_t start = 0;
    while (start < sel.exchange.size()) {
        std::size_t end = sel.exchange.find('\n', start);
        std::string line = sel.exchange.substr(start, end - start);
        start = end + 1;
        if (line.size() < 2 || line[0] != 'c' || std::strchr("hors", line[1]) == nullptr) continue;
        l.texts.push_back(line);
    }
    return l;
}

Loaded& loaded(Kind kind) {
    static std::map<Kind, Loaded> cache;
    auto it = cache.find(kind);
    if (it == cache.end()) it = cache.emplace(kind, load(kind)).first;
    return it->second;
}

// Judges one text record with either search, as the second pass does.
int judge(const Loaded& l, bool fast, const std::string& line, FoundPoint* found) {
    const Options options;
    const JudgingSinks sinks = {{0, test::null_stream()}, nullptr};
    Text text;
    text.kind = l.d->text_kind;
    parse_text_record(text, line.c_str());
    return static_cast<int>(
        judge_text(*l.d, fast ? l.index.get() : nullptr, options, text, found, sinks).verdict);
}

// How many texts of each selection one iteration judges. The literal search
// on the largest selections takes over a second per 10,000 texts, so those
// are timed on their first 4,800 texts, with both searches.
int slice_of(Kind kind) { return kind == Kind::Typical ? 300 : 4800; }

void BM_search(benchmark::State& st, Kind kind, bool fast, bool all) {
    Loaded& l = loaded(kind);
    int n = all ? static_cast<int>(l.texts.size()) : slice_of(kind);
    FoundPoint found[kFoundSlots] = {};
    for (auto _ : st) {
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(judge(l, fast, l.texts[i], found));
    }
    double pairs = static_cast<double>(n) * l.d->end_point_count;
    st.counters["texts"] = n;
    st.counters["points"] = l.d->end_point_count;
    // Seconds per (text x end point), shown with an SI prefix (n for 1e-9).
    st.counters["per_pair"] = benchmark::Counter(
        pairs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Both searches over the slice: counts, found points' bits and verdicts must agree.
bool agree(Kind kind) {
    Loaded& l = loaded(kind);
    int n = slice_of(kind);
    int found = 0;
    for (int i = 0; i < n; ++i) {
        int code[2];
        FoundPoint kept[2][kFoundSlots];
        for (int fast = 0; fast < 2; ++fast) {
            std::memset(kept[fast], 0, sizeof kept[fast]);
            code[fast] = judge(l, fast != 0, l.texts[i], kept[fast]);
        }
        if (code[0] != code[1] || std::memcmp(kept[0], kept[1], sizeof kept[0]) != 0) {
            std::fprintf(stderr, "%s: text %d differs (verdicts %d and %d)\n",
                         bench::kind_name(kind), i, code[0], code[1]);
            return false;
        }
        found += code[0] != static_cast<int>(Verdict::Wrong);
    }
    std::printf(
        "%-9s %6d lines, %3d end points, %5zu texts; %d texts compared, "
        "identical (%d not judged wrong)\n",
        bench::kind_name(kind), l.lines, l.d->end_point_count, l.texts.size(), n, found);
    return true;
}

// Keeps the per-pair time of every run for the summary.
class Reporter : public benchmark::ConsoleReporter {
public:
    Reporter() : ConsoleReporter(OO_Tabular) {}  // no colours: the output goes to files too

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            auto it = r.counters.find("per_pair");
            if (it != r.counters.end()) ns_[r.benchmark_name()] = it->second.value * 1e9;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void summary() const {
        std::printf("\n%-10s %16s %16s %8s\n", "selection", "literal ns/pair", "fast ns/pair",
                    "ratio");
        for (Kind k : {Kind::Typical, Kind::Worst, Kind::Clustered}) {
            std::string name = bench::kind_name(k);
            auto lit = ns_.find(name + "/literal"), fast = ns_.find(name + "/fast");
            if (lit == ns_.end() || fast == ns_.end()) continue;
            std::printf("%-10s %16.3f %16.3f %7.1fx\n", name.c_str(), lit->second, fast->second,
                        lit->second / fast->second);
        }
    }

private:
    std::map<std::string, double> ns_;
};

}  // namespace

int main(int argc, char** argv) {
    for (Kind k : {Kind::Typical, Kind::Worst, Kind::Clustered}) {
        std::string name = bench::kind_name(k);
        benchmark::RegisterBenchmark((name + "/literal").c_str(), BM_search, k, false, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/fast").c_str(), BM_search, k, true, false)
            ->Unit(benchmark::kMillisecond);
        if (k != Kind::Typical)
            benchmark::RegisterBenchmark((name + "/fast/all_texts").c_str(), BM_search, k, true,
                                         true)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (Kind k : {Kind::Typical, Kind::Worst, Kind::Clustered})
        if (!agree(k)) return 1;
    std::printf("\n");
    std::fflush(stdout);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.summary();
    benchmark::Shutdown();
    return 0;
}
