#include "d88/d88_image.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace d88 {

namespace {

constexpr std::int64_t kLargestPosition = std::numeric_limits<std::int32_t>::max();
// Beyond this many records no record's count could still end a walk, so none goes further.
constexpr int kMaxRecordsPerWalk = 65535;

bool sameId(const unsigned char* record, int c, int h, int r, int n) {
    return record[kRecordC] == c && record[kRecordH] == h && record[kRecordR] == r && record[kRecordN] == n;
}

}  // namespace

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

void D88Image::setSectorRange(int first, int last) {
    firstSector = first;
    lastSector = last;
}

bool D88Image::trackReadable(int track) const {
    std::int64_t start = 0;
    return trackStart(track, start);
}

bool D88Image::trackStart(int track, std::int64_t& start) const {
    if (!file.isOpen() || track < 0 || track >= kTrackCount) return false;
    const int entry = trackTable[track];
    if (entry == 0 || entry > diskSize) return false;
    start = static_cast<std::int64_t>(diskBase) + entry;
    // An entry below 0 passes the test above, but a start before the file cannot be sought.
    return start >= 0 && start <= kLargestPosition;
}

// The one walk over a track's records: from the first, a 16-byte header at a time, skipping
// each record's data unless the visitor read it, until the visitor stops, a record's count
// says it was the last, maxRecords were seen, or the file cannot supply a whole header.
template <typename Visit>
void D88Image::walkTrack(int track, int maxRecords, Visit visit) {
    std::int64_t start = 0;
    if (!trackStart(track, start) || !file.seekTo(start)) return;
    for (int index = 0; index < maxRecords; ++index) {
        unsigned char record[kRecordHeaderLength];
        if (file.read(record, kRecordHeaderLength) != kRecordHeaderLength) return;
        if (visit(record) == Walk::stop) return;
        if (!file.seekBy(readLe16(record + kRecordDataLength))) return;
        if (index == readLe16(record + kRecordSectorCount) - 1) return;
    }
}

int D88Image::readSector(int track, int c, int h, int r, int n, unsigned char* buffer, int maxLength) {
    if (maxLength < 0) return 0;
    int delivered = 0;
    walkTrack(track, kMaxRecordsPerWalk, [&](const unsigned char* record) {
        if (readLe16(record + kRecordSectorCount) == 0) return Walk::stop;
        if (!sameId(record, c, h, r, n)) return Walk::next;
        const int wanted = std::min<int>(readLe16(record + kRecordDataLength), maxLength);
        // Data cut short by the end of the file answers only the bytes that arrived.
        delivered = static_cast<int>(file.read(buffer, static_cast<std::size_t>(wanted)));
        return Walk::stop;
    });
    return delivered;
}

int D88Image::readSectors(int track, int c, int h, int r, int n, unsigned char* buffer, int length) {
    if (length <= 0 || n < 0 || n > kMaxSizeCode) return 0;
    int step = 128 << n;
    int total = 0;
    while (total < length) {
        if (length - total < step) step = length - total;
        if (readSector(track, c, h, r, n, buffer + total, step) < step) return total;
        total += step;
        // A read succeeded, so c, h and r are byte values: none of these steps can overflow.
        if (r == lastSector) {
            ++track;
            if (h == 0) {
                h = 1;
            } else {
                h = 0;
                ++c;
            }
            r = firstSector;
        } else {
            ++r;
        }
    }
    return total;
}

int D88Image::readTrackIds(int track, unsigned char* buffer, int length) {
    if (length < kSectorIdLength) return 0;
    int total = 0;
    // A record whose count is 0 cannot end this walk; only the buffer's size or the file can.
    walkTrack(track, length / kSectorIdLength, [&](const unsigned char* record) {
        std::memcpy(buffer + total, record, kSectorIdLength);
        total += kSectorIdLength;
        return Walk::next;
    });
    return total;
}

}  // namespace d88
