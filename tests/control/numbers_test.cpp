// The number shortcuts against the C library: every result bit for bit
// (read_double against strtod) and byte for byte (format_fixed against
// snprintf), on generated numbers of the kinds drawings hold and on the edge
// cases of both (ties, signs of zero, long digit strings, exponents,
// hexadecimal, infinities, NaN).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "control/numbers.h"
#include "support.h"

namespace dimcheck::test {
namespace {

void expect_reads_as_strtod(const std::string& text) {
    char *end_lib = nullptr, *end_own = nullptr;
    double lib = std::strtod(text.c_str(), &end_lib);
    double own = read_double(text.c_str(), &end_own);
    ASSERT_EQ(std::memcmp(&lib, &own, sizeof lib), 0) << "\"" << text << "\"";
    ASSERT_EQ(end_lib - text.c_str(), end_own - text.c_str()) << "\"" << text << "\"";
}

TEST(Numbers, ReadsAsStrtod) {
    const char* const fixed[] = {
        "0", "-0", "+0", "0.0", "-0.0", ".5", "-.5", "5.", "-5.", ".", "-", "+", "", "abc",
        " 5", "\t-3.25", "1e5", "1E-3", "1.5e", "2e+", "0x10", "0X1p3", "0x", "inf", "-nan",
        "infinity", "1,500", "24829.655 19715.635", "9007199254740992", "9007199254740993",
        "9007199254740992.5", "123456789012345678901234567890", "0.0000000000000000000001",
        "0.00000000000000000000001", "1.0000000000000000000000", "100000000000000000",
        "99999999999999999", "0.1", "0.2", "0.3", "2.675", "1.005", "-214748.3648",
        "00000000000000000000000000001.5", "1.5M", "3*1000", "12.5.3", "--5", "+-5"};
    for (const char* t : fixed) expect_reads_as_strtod(t);
    Rng r(42);
    for (int i = 0; i < 200000; ++i) {
        std::string t;
        if (r.below(4) == 0) t += "-+"[r.below(2)];
        int whole = r.below(12);
        for (int k = 0; k < whole; ++k) t += static_cast<char>('0' + r.below(10));
        if (r.below(3) != 0) {
            t += '.';
            int frac = r.below(r.below(5) == 0 ? 30 : 8);
            for (int k = 0; k < frac; ++k) t += static_cast<char>('0' + r.below(10));
        }
        if (r.below(20) == 0) t += "eExX., "[r.below(7)];
        if (r.below(20) == 0) t += static_cast<char>('0' + r.below(10));
        expect_reads_as_strtod(t);
        if (HasFatalFailure()) return;
    }
}

void expect_formats_as_snprintf(double v, int decimals) {
    char lib[512], own[512];
    int n_lib = std::snprintf(lib, sizeof lib, "%.*f", decimals, v);
    int n_own = format_fixed(own, sizeof own, v, decimals);
    ASSERT_EQ(n_own, n_lib) << lib;
    ASSERT_STREQ(own, lib) << "decimals " << decimals << " bits " << std::hexfloat << v;
}

TEST(Numbers, FormatsAsSnprintf) {
    const double inf = std::numeric_limits<double>::infinity();
    const double fixed[] = {0.0, -0.0, 1.0, -1.0, 0.5, 0.25, 0.125, 2.5, 0x1.0p-7, 0x1.0p-13,
                            -0x1.0p-13, 0x1.0p-40, 1e-300, -1e-300, 4.9e-324, 0x1.0p24,
                            0x1.fffffffffffffp23, -0x1.fffffffffffffp23, 0x1.0p53, 1e300, inf,
                            -inf, std::numeric_limits<double>::quiet_NaN(), 24829.655,
                            -214748.3648, 0.0000005, 0.0000015, 0.0000025, 1234.5678905,
                            999999.9999995, 0.9999999999995, 0.0000000000005};
    for (double v : fixed)
        for (int d : {0, 1, 2, 6, 12, 13, 20}) expect_formats_as_snprintf(v, d);
    Rng r(7);
    for (int i = 0; i < 100000; ++i) {
        double v;
        switch (r.below(5)) {
        case 0: {  // any bits
            std::uint64_t bits = r.next();
            std::memcpy(&v, &bits, sizeof v);
            break;
        }
        case 1:  // drawing coordinates with three decimals, as written
            v = static_cast<double>(static_cast<std::int64_t>(r.next() % 200000000) - 100000000) /
                1000.0;
            break;
        case 2:  // halves of the last decimal, exactly (ties)
            v = std::ldexp(static_cast<double>(r.next() % 2000001) - 1000000, -r.below(50));
            break;
        case 3:  // anywhere below 2^24, any magnitude
            v = std::ldexp(static_cast<double>(r.next() >> 11), -53 + 24 - r.below(80));
            if (r.below(2) == 0) v = -v;
            break;
        default:  // just around powers of two and ten
            v = std::nextafter(std::ldexp(1.0, r.below(60) - 36) * (1 + r.below(10)),
                               r.below(2) == 0 ? inf : -inf);
            break;
        }
        expect_formats_as_snprintf(v, r.below(2) == 0 ? 12 : 6);
        if (HasFatalFailure()) return;
    }
}

TEST(Numbers, WritesFixedLines) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    const double v[] = {1.5, -0.0, 1e300, 2.5e-7};
    write_fixed_line(f, "ci ", v, 3, 6);
    write_fixed_line(f, "", v, 4, 12);
    char want[2048];
    int m = std::snprintf(want, sizeof want, "ci %.6f %.6f %.6f\n%.12f %.12f %.12f %.12f\n", v[0],
                          v[1], v[2], v[0], v[1], v[2], v[3]);
    EXPECT_EQ(slurp(f), std::string(want, static_cast<std::size_t>(m)));
    std::fclose(f);
}

}  // namespace
}  // namespace dimcheck::test
