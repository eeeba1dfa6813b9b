// Fuzzes the image reader: the input is the image file; its last bytes also choose the
// arguments of the sector reads.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "d88/d88_image.h"

namespace {

std::string imagePath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/d88fuzz-reader-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd < 0) std::abort();
        close(fd);
        static std::string made = pattern;
        std::atexit([] { std::remove(made.c_str()); });
        return made;
    }();
    return path;
}

// Draws arguments from the end of the input, wrapping around; a short input gives zeros.
class Arguments {
public:
    Arguments(const std::uint8_t* data, std::size_t size) : bytes(data), length(size) {}
    int next(int low, int high) {
        std::uint32_t value = 0;
        for (int i = 0; i < 4 && length > 0; ++i) value = (value << 8) | bytes[length - 1 - (cursor++ % length)];
        return low + static_cast<int>(value % static_cast<std::uint32_t>(high - low + 1));
    }

private:
    const std::uint8_t* bytes;
    std::size_t length;
    std::size_t cursor = 0;
};

unsigned char buffer[0x50000 + 64];

void readCurrentDisk(d88::D88Image& image, Arguments& arguments) {
    for (int call = 0; call < 4; ++call) {
        const int track = arguments.next(-2, 165);
        const int c = arguments.next(-1, 256), h = arguments.next(-1, 2), r = arguments.next(-1, 256);
        const int n = arguments.next(-1, 24);
        image.setSectorRange(arguments.next(-1, 17), arguments.next(-1, 17));
        image.readSector(track, c, h, r, n, buffer, arguments.next(-1, 0x50000));
        image.readSectors(track, c, h, r, n, buffer, arguments.next(-300, 0x50000));
        image.readTrackIds(track, buffer, arguments.next(-1, 1024));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = imagePath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    d88::D88Image image;
    if (!image.open(path.c_str())) std::abort();
    Arguments arguments(data, size);
    const int disks = image.diskCount();
    if (disks < 0 || disks > d88::kMaxDisks) std::abort();
    for (int disk = -1; disk <= disks; ++disk) {
        const bool selected = image.selectDisk(disk);
        if (selected != (disk >= 0 && disk < disks)) std::abort();
        readCurrentDisk(image, arguments);
    }
    image.open(nullptr);
    return 0;
}
