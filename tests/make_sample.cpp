// Writes a sample D88 file made of complete, generated disk A images.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tests/d88_builder.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: %s OUTPUT [DISKS]\n", argc > 0 ? argv[0] : "d88sample");
        return 1;
    }
    const int disks = argc == 3 ? std::atoi(argv[2]) : 1;
    if (disks < 1 || disks > 64) {
        std::fprintf(stderr, "d88sample: DISKS must be 1 to 64\n");
        return 1;
    }
    try {
        d88test::writeFile(argv[1], d88test::repeat(d88test::diskA().build(), disks));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "d88sample: %s\n", error.what());
        return 1;
    }
    return 0;
}
