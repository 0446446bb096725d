#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "run/host_run.h"
#include "run/list_run.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
        int status = dimcheck::list_drawings(argc - 2, argv + 2, stdout, stderr);
        std::fflush(stdout);
        return status;
    }
    // Consolidation may print hundreds of thousands of trace lines.
    static char outbuf[1 << 16];
    std::setvbuf(stdout, outbuf, _IOFBF, sizeof outbuf);
    // The values of the run; the drawing on the heap, as its tables are large.
    dimcheck::Options options;
    auto drawing = std::make_unique<dimcheck::Drawing>();
    dimcheck::Output out;
    // The host starts the program in the folder of the exchange file.
    int status = dimcheck::run(argc, argv, dimcheck::run_files(), options, *drawing, out);
    std::fflush(stdout);
    std::exit(status);
}
