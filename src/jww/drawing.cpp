#include "jww/drawing.h"

namespace dimcheck::jww {

namespace {

const Base& base_in(const std::shared_ptr<const Dimension>& d) { return d->base; }
template <class Element>
const Base& base_in(const Element& e) {
    return e.base;
}

}  // namespace

const Base& base_of(const Element& e) {
    return std::visit([](const auto& x) -> const Base& { return base_in(x); }, e);
}

const char* text_keyword(std::uint16_t flags) {
    if (flags & 0x0100) return "cr";
    if (flags & 0x0200) return "co";
    if (flags & 0x0400) return "cp";
    if (flags & 0x0010) return "cs";
    if (flags & 0x0020) return "cv";
    return "ch";
}

}  // namespace dimcheck::jww
