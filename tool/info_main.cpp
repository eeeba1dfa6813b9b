// d88info: lists the disks of a D88 image, their tracks, and which of them is disk A.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "d88/d88_image.h"
#include "tool/info.h"
#include "tool/messages.h"

namespace {

d88::D88Image image;

constexpr char kUsage[] = "Usage: %s [--tracks] IMAGE\n";

}  // namespace

int main(int argc, char** argv) {
    const char* program = d88cut::programName(argc, argv, "d88info");
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf(kUsage, program);
        return 0;
    }
    const bool tracks = argc == 3 && std::strcmp(argv[1], "--tracks") == 0;
    const char* path = (argc == 2 || tracks) ? argv[argc - 1] : nullptr;
    // A path that starts with '-' is taken for an option; write ./-name for such a file.
    if (path == nullptr || path[0] == '-') {
        d88cut::printError(kUsage, program);
        return 1;
    }
    if (!image.open(path)) {
        d88cut::printError("d88info: cannot open %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    d88cut::printImageReport(image, tracks);
    return 0;
}
