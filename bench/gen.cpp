// Writes a generated selection to standard output:
//   dimcheck_gen typical|worst|clustered|repeated [seed]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "selection.h"

int main(int argc, char** argv) {
    using namespace dimcheck::bench;
    Kind kind;
    if (argc < 2 || !parse_kind(argv[1], kind)) {
        std::fputs("usage: dimcheck_gen typical|worst|clustered|repeated [seed]\n", stderr);
        return 2;
    }
    std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    Selection s = generate(kind, seed);
    std::fwrite(s.exchange.data(), 1, s.exchange.size(), stdout);
    std::fprintf(stderr, "%s seed %llu: %d lines, %d end points, %d texts, %zu bytes\n",
                 kind_name(kind), static_cast<unsigned long long>(seed), s.lines, s.points, s.texts,
                 s.exchange.size());
    return 0;
}
