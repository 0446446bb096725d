// libFuzzer target of the .jww reader: any bytes are read as a drawing. A
// file the reader refuses names an offset inside it; a file it reads is
// listed, and each of its shorter beginnings is refused, as the reader
// accounts for every byte. A broken rule aborts, which libFuzzer reports as
// a crash; so does a read that allocates out of proportion to the input
// (-malloc_limit_mb in scripts/fuzz.sh).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "jww/reader.h"
#include "run/list_run.h"

namespace {

void expect(bool ok, const char* rule) {
    if (ok) return;
    std::fprintf(stderr, "\n*** the reader broke a rule: %s\n", rule);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const dimcheck::jww::Drawing d = dimcheck::jww::read_drawing(bytes);
        expect(!dimcheck::list_drawing(d).empty(), "a drawing read is listed");
    } catch (const dimcheck::jww::ReadError& e) {
        expect(e.offset <= size, "a refusal names an offset in the file");
        return 0;
    }
    try {
        dimcheck::jww::read_drawing(bytes.substr(0, size - 1));
    } catch (const dimcheck::jww::ReadError& e) {
        expect(e.offset < size, "a refusal of a beginning names an offset in it");
        return 0;
    }
    expect(false, "a file cut short by a byte is refused");
    return 0;
}
