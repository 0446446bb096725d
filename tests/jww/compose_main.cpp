// jww_compose IN.txt OUT.jww: composes a test drawing from its description,
// for the fuzz seeds and the benchmarks.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "jww/compose.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jww_compose IN.txt OUT.jww\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!in) throw std::runtime_error("cannot read it");
        std::ofstream out(argv[2], std::ios::binary);
        if (!(out << dimcheck::test::compose_jww(text.str()) << std::flush))
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
}
