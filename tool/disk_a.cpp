#include "tool/disk_a.h"

#include <cstring>

namespace d88cut {

bool isDiskA(d88::D88Image& image, unsigned char* boot) {
    std::memset(boot, 0, kBootReadLength);
    const int got = image.readSector(0, 0, 0, 1, 1, boot, kBootReadLength);
    // A boot sector too short to hold the whole name is not disk A's.
    if (got < kSystemNameOffset + kSystemNameLength) return false;
    return std::memcmp(boot + kSystemNameOffset, systemName, kSystemNameLength) == 0;
}

}  // namespace d88cut
