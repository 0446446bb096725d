// Reading a .jww drawing: the test drawing of 100,000 elements
// (tests/jww/drawings/bench-100k.txt, composed once), read whole from memory
// and listed, in bytes per second.
#include <benchmark/benchmark.h>

#include <string>

#include "common/kit.h"
#include "jww/compose.h"
#include "jww/reader.h"
#include "run/list_run.h"

namespace {

const std::string& drawing() {
    static const std::string bytes = dimcheck::test::compose_jww(dimcheck::test::read_file(
        std::string(DIMCHECK_SOURCE_DIR) + "/tests/jww/drawings/bench-100k.txt"));
    return bytes;
}

void ReadDrawing(benchmark::State& state) {
    const std::string& bytes = drawing();
    for (auto _ : state) {
        dimcheck::jww::Drawing d = dimcheck::jww::read_drawing(bytes);
        benchmark::DoNotOptimize(d.elements.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ReadDrawing)->Unit(benchmark::kMillisecond);

void ReadAndList(benchmark::State& state) {
    const std::string& bytes = drawing();
    for (auto _ : state)
        benchmark::DoNotOptimize(dimcheck::list_drawing(dimcheck::jww::read_drawing(bytes)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ReadAndList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
