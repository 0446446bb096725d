#include <cstdio>
#include <cstdlib>

#include "control/driver.h"

int main(int argc, char** argv) {
    // Consolidation may print hundreds of thousands of trace lines.
    static char outbuf[1 << 16];
    std::setvbuf(stdout, outbuf, _IOFBF, sizeof outbuf);
    // The one drawing state of the run; static, as its tables are large.
    static dimcheck::DrawingState state;
    int status = dimcheck::run(state, argc, argv);
    std::fflush(stdout);
    std::exit(status);
}
