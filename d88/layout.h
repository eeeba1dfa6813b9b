// The D88 image layout: named offsets and sizes, and the little-endian readers.
#pragma once

#include <cstdint>

namespace d88 {

// A file is disk images back to back; each starts with a fixed-size header.
inline constexpr int kHeaderLength = 0x2B0;
inline constexpr int kTrackCount = 164;
inline constexpr int kMaxDisks = 64;

// Disk header fields.
inline constexpr int kHeaderName = 0x00;
inline constexpr int kNameLength = 16;
inline constexpr int kHeaderMedia = 0x1B;
inline constexpr int kHeaderDiskSize = 0x1C;
inline constexpr int kHeaderTrackTable = 0x20;
inline constexpr int kTrackEntryLength = 4;

// Sector record fields: a 16-byte header, then the data.
inline constexpr int kRecordHeaderLength = 16;
inline constexpr int kRecordC = 0;
inline constexpr int kRecordH = 1;
inline constexpr int kRecordR = 2;
inline constexpr int kRecordN = 3;
inline constexpr int kRecordSectorCount = 4;
inline constexpr int kRecordDataLength = 14;
inline constexpr int kSectorIdLength = 4;

// The largest size code whose nominal size, 128 << n, is still a positive int.
inline constexpr int kMaxSizeCode = 23;

// Assembled byte by byte so the host's byte order never matters.
inline constexpr std::uint16_t readLe16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Offsets and sizes in a D88 file are signed 32-bit values.
inline constexpr std::int32_t readLe32(const unsigned char* bytes) {
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) |
                                (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

}  // namespace d88
