#include "run/rename.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cstdio>
#endif

namespace dimcheck {

int rename_replacing(const char* from, const char* to) {
#ifdef _WIN32
    // Windows' rename refuses an existing target, so a leftover from an
    // interrupted run would stop the chain halfway.
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) ? 0 : -1;
#else
    // POSIX rename replaces the target by itself.
    return std::rename(from, to);
#endif
}

}  // namespace dimcheck
