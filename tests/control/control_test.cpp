// Numbers read and written as the C library does, bit for bit and byte for
// byte, on tabled edge cases and on generated numbers (glibc's: "-nan" too).
#include <cmath>
#include <cstdint>
#include <cstring>

#include "control/numbers.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {

static void expect_reads_as_strtod(const std::string& text) {
    char *end_lib = nullptr, *end_own = nullptr;
    const double lib = std::strtod(text.c_str(), &end_lib);
    const double own = read_double(text.c_str(), &end_own);
    ASSERT_TRUE(!std::memcmp(&lib, &own, sizeof lib) && end_lib == end_own) << '"' << text << '"';
}

static void expect_formats_as_snprintf(double v, int decimals) {
    char lib[512], own[512];
    const int n = std::snprintf(lib, sizeof lib, "%.*f", decimals, v);
    ASSERT_EQ(format_fixed(own, sizeof own, v, decimals), n) << lib;
    ASSERT_STREQ(own, lib) << decimals << " decimals of " << std::hexfloat << v;
    // Into as many bytes as the number has, at the end of own: its last byte is the terminator's.
    ASSERT_EQ(format_fixed(own + sizeof own - n, n, v, decimals),
              snprintf(lib, n, "%.*f", decimals, v));
    ASSERT_STREQ(own + sizeof own - n, lib) << decimals << " decimals of " << std::hexfloat << v;
    const std::size_t size = v < 0 ? 9 : sizeof own;  // negatives cut short, at the end of own
    // "%+d": a flag sends the whole format to the C library.
    const char* const f =
        decimals == 13 ? "%+d %.*f|%.15g %f %E %.*s%%x" : "%d %.*f|%.15g %f %E %.*s%%x";
    ASSERT_EQ(format_to(own + sizeof own - size, size, f, 7, decimals, v, v, v, v, 2, "abc"),
              std::snprintf(lib, size, f, 7, decimals, v, v, v, v, 2, "abc"));
    ASSERT_STREQ(own + sizeof own - size, lib) << "format_to of " << std::hexfloat << v;
}

TEST(Numbers, ReadAndWriteAsTheCLibraryDoes) {
    for (const Row& r : table("control/numbers.txt")) {
        SCOPED_TRACE(r.where);
        if (r["check"] == "read") {
            expect_reads_as_strtod(r["text"]);
            continue;
        }
        for (int d : {0, 1, 2, 6, 12, 13, 20}) expect_formats_as_snprintf(r.num("text"), d);
    }
    Rng r(42);
    // Signs, digits, points, a stray letter.
    for (int i = 0; i < 200000 && !HasFatalFailure(); ++i) {
        std::string t = r.below(4) == 0 ? std::string(1, "-+"[r.below(2)]) : "";
        for (int k = r.below(12); k > 0; --k) t += char('0' + r.below(10));
        if (r.below(3) != 0) t += '.';
        for (int k = r.below(r.below(5) == 0 ? 30 : 8); k > 0; --k) t += char('0' + r.below(10));
        if (r.below(10) == 0) t += std::string(1, "eExX., "[r.below(7)]) + char('0' + r.below(10));
        expect_reads_as_strtod(t);
    }
    // As drawn, exact ties, any magnitude, any bits.
    for (int i = 0; i < 100000 && !HasFatalFailure(); ++i) {
        const std::uint64_t bits = r.next();
        const int kind = r.below(4);
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (kind == 0) v = double(std::int64_t(bits % 200000000) - 100000000) / 1000.0;
        if (kind == 1) v = std::ldexp(double(bits % 2000001) - 1000000, -r.below(50));
        if (kind == 2)
            v = std::ldexp(double(bits >> 11), -29 - r.below(80)) * (r.below(2) ? 1 : -1);
        expect_formats_as_snprintf(v, r.below(2) == 0 ? 12 : 6);
    }
}

}  // namespace dimcheck::test
