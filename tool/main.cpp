// d88cut: cuts the files of ZOREN disk A out of every such disk in a D88 image.
#include <cstdio>

#include "d88/d88_image.h"
#include "tool/cut.h"
#include "tool/messages.h"

namespace {

// The reader lives for the whole run; its destruction at exit closes the image.
d88::D88Image image;

// "ファイルをオープンできません.\n" in Shift_JIS: the image could not be opened.
constexpr char kCannotOpenMessage[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        d88cut::printError("Usage: %s [d88file]\n", d88cut::programName(argc, argv, "d88cut"));
        return 1;
    }
    if (!image.open(argv[1])) {
        d88cut::printError("%s", kCannotOpenMessage);
        return 1;
    }
    // A file that could not be written fails the run, but only after every disk was cut.
    return d88cut::cutAllDisks(image) ? 0 : 1;
}
