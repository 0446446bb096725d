#include <cstdio>
#include <cstdlib>
#include <memory>

#include "run/host_run.h"

int main(int argc, char** argv) {
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
