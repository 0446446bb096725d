// Reads a whole .jww file, field by field as the host writes it, to its last
// byte. A file that does not match (damaged, cut short, of another kind, or
// made to harm) is refused with the byte offset where it stopped matching;
// every count and length is checked against the bytes left before anything
// is allocated for it.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "jww/drawing.h"

namespace dimcheck::jww {

class ReadError : public std::runtime_error {
public:
    ReadError(std::size_t offset, const std::string& message)
        : std::runtime_error(message), offset(offset) {}
    std::size_t offset;  // where the field that did not match starts
};

// Reads versions 230, 300, 351, 420, 600 and 700; throws ReadError.
Drawing read_drawing(std::string_view bytes);

}  // namespace dimcheck::jww
