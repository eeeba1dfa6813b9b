// D88Image: a read-only view of the disks in one D88 file. It never prints;
// every operation answers true/false or a count of bytes, 0 meaning nothing.
#pragma once

#include <cstdint>

#include "d88/image_stream.h"
#include "d88/layout.h"

namespace d88 {

class D88Image {
public:
    D88Image() = default;
    D88Image(const D88Image&) = delete;
    D88Image& operator=(const D88Image&) = delete;

    // With a path: opens it and catalogues its disks; on failure errno says why.
    // With nullptr: closes the file.
    bool open(const char* path);
    int diskCount() const { return disks; }
    int currentDisk() const { return current; }
    bool selectDisk(int index);
    // The current disk's name, at most 16 characters; valid until the next selection.
    const char* diskLabel() const { return label; }
    int mediaType() const { return media; }
    // The current disk's offset in the file and its size field, as its header gives it.
    int currentDiskOffset() const { return diskBase; }
    int currentDiskSize() const { return diskSize; }
    // Whether a track of the current disk can be read: in range, present, inside the disk.
    bool trackReadable(int track) const;

    // Every track is taken to number its sectors first..last; only run reads use it.
    void setSectorRange(int first, int last);
    // Copies at most maxLength bytes of sector (c, h, r, n) of a track; answers the bytes delivered.
    int readSector(int track, int c, int h, int r, int n, unsigned char* buffer, int maxLength);
    // Reads length bytes of consecutive sectors from (c, h, r, n) on, crossing into the next
    // track after the last sector; answers the bytes read in whole steps of 128 << n.
    int readSectors(int track, int c, int h, int r, int n, unsigned char* buffer, int length);
    // Writes the 4-byte ID of each record of a track, in order; answers the bytes written.
    int readTrackIds(int track, unsigned char* buffer, int length);

private:
    enum class Walk { next, stop };

    void resetSelection();
    bool trackStart(int track, std::int64_t& start) const;
    template <typename Visit>
    void walkTrack(int track, int maxRecords, Visit visit);

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
