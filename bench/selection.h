// Seeded generator of selections as the host writes them, for the benchmark
// and the timing script. The same kind and seed give the same bytes on every
// machine (the random numbers of tests/common/kit.h, fixed number formats).
#pragma once

#include <cstdint>
#include <string>

namespace dimcheck::bench {

enum class Kind {
    // A plan: about 2,000 records, 150 end points on dimension chains, 300
    // texts (some wrong, some off, some not numbers).
    Typical,
    // The limits: 50,000 lines, 799 distinct end points spread over the
    // drawing, 48,000 texts of random direction and length.
    Worst,
    // As Worst, but the end points lie in chains near the texts, so that many
    // of them fall inside the search frames (often more than 39).
    Clustered,
    // As Clustered, but every end point is written twice, as chained
    // dimensions with point ends write their shared points.
    Repeated,
};

struct Selection {
    std::string exchange;  // the file's bytes
    int lines = 0;
    int points = 0;  // distinct end points the intake will find
    int texts = 0;   // text records
};

Selection generate(Kind kind, std::uint64_t seed);

// "typical", "worst", "clustered", "repeated".
bool parse_kind(const std::string& name, Kind& kind);
const char* kind_name(Kind kind);

}  // namespace dimcheck::bench
