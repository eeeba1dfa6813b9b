// D88Image: a read-only view of the disks in one D88 file. It never prints;
// every operation answers true/false or a count of bytes, 0 meaning nothing.
#pragma once

#include "d88/image_stream.h"
#include "d88/layout.h"

namespace d88 {

class D88Image {
public:
    D88Image() = default;
    D88Image(const D88Image&) = delete;
    D88Image& operator=(const D88Image&) = delete;

    // With a path: opens it and catalogues its disks. With nullptr: closes the file.
    bool open(const char* path);
    int diskCount() const { return disks; }
    int currentDisk() const { return current; }
    bool selectDisk(int index);
    // The current disk's name, at most 16 characters; valid until the next selection.
    const char* diskLabel() const { return label; }
    int mediaType() const { return media; }

private:
    void resetSelection();

    ImageStream file;
    int current = -1;
    int disks = 0;
    int firstSector = 1;
    int lastSector = 16;
    int diskStart[kMaxDisks] = {};
    int diskSize = 0;
    int diskBase = 0;
    int trackTable[kTrackCount] = {};
    int media = -1;
    char label[kNameLength + 1] = {};
};

}  // namespace d88
