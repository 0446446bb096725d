// Test drawings in Jw_cad's binary format (.jww), composed from a plain-text
// description (the language is in tests/jww/README.md), so that the drawings
// of the tests can be kept and reviewed as text.
#pragma once

#include <string>

namespace dimcheck::test {

// The bytes of the drawing DESCRIPTION describes. A bad description throws
// std::runtime_error naming its line.
std::string compose_jww(const std::string& description);

}  // namespace dimcheck::test
