#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "run/folder_check.h"
#include "run/host_run.h"
#include "run/list_run.h"

#ifdef _WIN32
#include <cwchar>
// The C runtime's own reading of the command line into wide arguments.
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int expand, int* info);
#endif

namespace {

// The arguments after the first as paths: on Windows as the wide characters
// they were typed in, so that any folder name reaches the file system.
std::vector<std::filesystem::path> path_arguments(int argc, char** argv) {
    std::vector<std::filesystem::path> args;
#ifdef _WIN32
    int count = 0, info = 0;
    wchar_t** wide = nullptr;
    wchar_t** env = nullptr;
    if (__wgetmainargs(&count, &wide, &env, 0, &info) == 0 && count == argc) {
        for (int i = 2; i < count; ++i) args.emplace_back(wide[i]);
        return args;
    }
#endif
    for (int i = 2; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    // Consolidation may print hundreds of thousands of trace lines.
    static char outbuf[1 << 16];
    std::setvbuf(stdout, outbuf, _IOFBF, sizeof outbuf);
    int status = 0;
    if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
        status = dimcheck::list_drawings(argc - 2, argv + 2, stdout, stderr);
    } else if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
        status = dimcheck::check_folder(path_arguments(argc, argv), stdout, stderr);
    } else {
        // The values of the run; the drawing on the heap, as its tables are large.
        dimcheck::Options options;
        auto drawing = std::make_unique<dimcheck::Drawing>();
        dimcheck::Output out;
        // The host starts the program in the folder of the exchange file.
        status = dimcheck::run(argc, argv, dimcheck::run_files(), options, *drawing, out);
    }
    std::fflush(stdout);
    std::exit(status);
}
