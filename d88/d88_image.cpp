#include "d88/d88_image.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace d88 {

namespace {
constexpr std::int64_t kLargestPosition = std::numeric_limits<std::int32_t>::max();
}

bool D88Image::open(const char* path) {
    if (path == nullptr) {
        file.close();
        disks = 0;
        current = -1;
        media = -1;
        return true;
    }
    // A second open never leaks the first stream nor keeps its disk current.
    if (file.isOpen()) {
        file.close();
        resetSelection();
    }
    disks = 0;
    if (!file.open(path)) return false;

    std::int64_t position = 0;
    while (disks < kMaxDisks) {
        diskStart[disks] = static_cast<int>(position);
        unsigned char header[kHeaderLength];
        if (!file.seekTo(position)) break;
        if (file.read(header, kHeaderLength) != kHeaderLength) break;
        position += readLe32(header + kHeaderDiskSize);
        ++disks;
        // A size field that sends the next header outside the file's offset range ends the catalogue.
        if (position < 0 || position > kLargestPosition) break;
    }
    return true;
}

void D88Image::resetSelection() {
    diskBase = -1;
    current = -1;
    media = -1;
    diskSize = 0;
    label[0] = '\0';
}

bool D88Image::selectDisk(int index) {
    if (!file.isOpen()) return false;
    resetSelection();
    if (index < 0 || index >= disks) return false;
    diskBase = diskStart[index];
    current = index;

    // Zeroed first: if the file shrank since it was catalogued, the missing bytes read as 0.
    unsigned char header[kHeaderLength] = {};
    if (file.seekTo(diskBase)) file.read(header, kHeaderLength);
    for (int track = 0; track < kTrackCount; ++track)
        trackTable[track] = readLe32(header + kHeaderTrackTable + kTrackEntryLength * track);
    media = header[kHeaderMedia];
    diskSize = readLe32(header + kHeaderDiskSize);

    const unsigned char* name = header + kHeaderName;
    int length = 0;
    while (length < kNameLength && name[length] != 0) ++length;
    std::memset(label, 0, kNameLength);
    std::memcpy(label, name, static_cast<std::size_t>(length));
    return true;
}

}  // namespace d88
