#include "tool/info.h"

#include <cstdio>

#include "tool/disk_a.h"

namespace d88cut {

namespace {

const char* mediaName(int media) {
    switch (media) {
        case 0x00: return " (2D)";
        case 0x10: return " (2DD)";
        case 0x20: return " (2HD)";
        case 0x30: return " (1D)";
        case 0x40: return " (1DD)";
        default: return "";
    }
}

// Printable ASCII stays; every other byte, and the quote and backslash that would make the
// text ambiguous, becomes \xNN, so a Shift_JIS name can be read back byte for byte.
void printLabel(const char* label) {
    std::putchar('"');
    for (const char* p = label; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
            std::putchar(byte);
        else
            std::printf("\\x%02X", byte);
    }
    std::putchar('"');
}

int readableTracks(const d88::D88Image& image) {
    int count = 0;
    for (int track = 0; track < d88::kTrackCount; ++track)
        if (image.trackReadable(track)) ++count;
    return count;
}

// Room for the IDs of the longest track a record's count can announce.
unsigned char trackIds[d88::kSectorIdLength * 65536];

void printTracks(d88::D88Image& image) {
    for (int track = 0; track < d88::kTrackCount; ++track) {
        if (!image.trackReadable(track)) continue;
        const int length = image.readTrackIds(track, trackIds, static_cast<int>(sizeof trackIds));
        std::printf("  track %d (C%d H%d):", track, track >> 1, track & 1);
        for (int at = 0; at < length; at += d88::kSectorIdLength)
            std::printf(" %d/%d/%d/%d", trackIds[at], trackIds[at + 1], trackIds[at + 2], trackIds[at + 3]);
        if (length == static_cast<int>(sizeof trackIds)) std::printf(" ...");
        std::putchar('\n');
    }
}

}  // namespace

void printImageReport(d88::D88Image& image, bool tracks) {
    const int disks = image.diskCount();
    int disksA = 0;
    for (int disk = 0; disk < disks; ++disk) {
        image.selectDisk(disk);
        unsigned char boot[kBootReadLength];
        const bool diskA = isDiskA(image, boot);
        if (diskA) ++disksA;
        const int trackCount = readableTracks(image);
        std::printf("disk %d: offset %d, size %d, media 0x%02X%s, %d readable track%s, label ", disk,
                    image.currentDiskOffset(), image.currentDiskSize(), image.mediaType(),
                    mediaName(image.mediaType()), trackCount, trackCount == 1 ? "" : "s");
        printLabel(image.diskLabel());
        std::printf(", %s\n", diskA ? "disk A" : "not disk A");
        if (tracks) printTracks(image);
    }
    if (disks == 0)
        std::printf("no disks: the file holds no whole disk header\n");
    else
        std::printf("%d disk%s, %d of them disk A\n", disks, disks == 1 ? "" : "s", disksA);
}

}  // namespace d88cut
