// Number reading and writing against the C library, bit for bit and byte for
// byte (tabled edge cases and generated numbers), and the field reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "control/fields.h"
#include "control/numbers.h"
#include "support.h"
#include "table.h"

namespace dimcheck::test {
namespace {

void expect_reads_as_strtod(const std::string& text) {
    char *end_lib = nullptr, *end_own = nullptr;
    double lib = std::strtod(text.c_str(), &end_lib), own = read_double(text.c_str(), &end_own);
    ASSERT_EQ(std::memcmp(&lib, &own, sizeof lib), 0) << "\"" << text << "\"";
    ASSERT_EQ(end_lib, end_own) << "\"" << text << "\"";
}

void expect_formats_as_snprintf(double v, int decimals) {
    char lib[512], own[512];
    int n_lib = std::snprintf(lib, sizeof lib, "%.*f", decimals, v);
    ASSERT_EQ(format_fixed(own, sizeof own, v, decimals), n_lib) << lib;
    ASSERT_STREQ(own, lib) << decimals << " decimals of " << std::hexfloat << v;
}

TEST(Numbers, ReadAndWriteAsTheCLibraryDoes) {
    for (const Row& r : table("control/numbers.txt")) {
        SCOPED_TRACE(r.where);
        if (r[0] == "read") expect_reads_as_strtod(r[1]);
        else for (int d : {0, 1, 2, 6, 12, 13, 20}) expect_formats_as_snprintf(r.num(1), d);
    }
    Rng r(42);
    for (int i = 0; i < 200000 && !HasFatalFailure(); ++i) {
        std::string t = r.below(4) == 0 ? std::string(1, "-+"[r.below(2)]) : "";
        for (int k = r.below(12); k > 0; --k) t += char('0' + r.below(10));
        if (r.below(3) != 0) t += '.';
        for (int k = r.below(r.below(5) == 0 ? 30 : 8); k > 0; --k) t += char('0' + r.below(10));
        if (r.below(20) == 0) t += "eExX., "[r.below(7)];
        if (r.below(20) == 0) t += char('0' + r.below(10));
        expect_reads_as_strtod(t);
    }
    for (int i = 0; i < 100000 && !HasFatalFailure(); ++i) {
        std::uint64_t bits = r.next();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        switch (r.below(4)) {
        case 0: v = double(std::int64_t(r.next() % 200000000) - 100000000) / 1000.0; break;  // as drawn
        case 1: v = std::ldexp(double(r.next() % 2000001) - 1000000, -r.below(50)); break;    // ties
        case 2: v = std::ldexp(double(r.next() >> 11), -29 - r.below(80)) * (r.below(2) ? 1 : -1); break;
        default: break;  // any bits
        }
        expect_formats_as_snprintf(v, r.below(2) == 0 ? 12 : 6);
    }
}

TEST(FieldReader, ReadsFieldsUntilTheFirstThatDoesNot) {
    for (const Row& r : table("control/fields.txt")) {
        SCOPED_TRACE(r.where);
        FieldReader f(r[1].c_str());
        std::string got;
        for (char kind : r[0]) {
            double d = 7;
            int n = 7;
            bool ok = kind == 'n' ? f.num(d) : kind == 'd' ? f.dec(n) : f.hex(n);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.15g", kind == 'n' ? d : n);
            got += std::string(got.empty() ? "" : " ") + (!ok ? "-" : std::isnan(d) ? "nan" : buf);
        }
        EXPECT_EQ(got, r[2]);
        EXPECT_EQ(std::string(f.pos()), r[3]);
        if (r[0] == "n") continue;
        unsigned lib = 7;  // sscanf stores through an int or unsigned of the same bits
        bool read = std::sscanf(r[1].c_str(), r[0] == "d" ? "%d" : "%x", &lib) == 1;
        if (r[0].size() == 1) { EXPECT_EQ(got, read ? std::to_string(int(lib)) : "-"); }
    }
}

}  // namespace
}  // namespace dimcheck::test
