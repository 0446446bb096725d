// Renaming a file over another one, the same on every system.
#pragma once

namespace dimcheck {

// Renames `from` to `to`, replacing a file already named `to`. Returns 0 on
// success, -1 when `from` cannot be renamed (it is missing, say).
int rename_replacing(const char* from, const char* to);

}  // namespace dimcheck
