// dimcheck --list FILE...: what each Jw_cad drawing holds, per layer group.
#pragma once

#include <cstdio>
#include <string>

#include "jww/drawing.h"

namespace dimcheck {

// The listing of one drawing read from `name`, without the line of its name.
std::string list_drawing(const jww::Drawing& d);

// Lists every file named in `names` on `out`. Returns 0 when every drawing
// was read, 1 when one was not, 2 when no file is named.
int list_drawings(int count, const char* const* names, std::FILE* out, std::FILE* err);

}  // namespace dimcheck
