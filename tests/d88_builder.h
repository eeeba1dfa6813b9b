// Builds D88 images in memory for the tests, the sample image and the fuzz seeds.
// Every field can be overridden so that one corruption can be shown at a time.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace d88test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kSectorsPerTrack = 16;
inline constexpr int kSectorLength = 256;
inline constexpr int kDiskATracks = 160;  // 80 cylinders, two sides
inline constexpr std::string_view kSystemName = "ZOREN       Sys ";

struct Sector {
    int c = 0;
    int h = 0;
    int r = 1;
    int n = 1;
    Bytes data;
    std::optional<std::uint16_t> count;       // default: the number of records in the track
    std::optional<std::uint16_t> dataLength;  // default: data.size()
};

class DiskBuilder {
public:
    DiskBuilder& name(std::string_view text);  // raw bytes, at most 16
    DiskBuilder& media(std::uint8_t value);
    DiskBuilder& addSector(int track, Sector sector);
    // Sectors R = 1..16 of 256 bytes with IDs (track >> 1, track & 1, R, 1) and patterned data.
    DiskBuilder& addStandardTrack(int track);
    DiskBuilder& removeTrack(int track);
    Sector& sector(int track, int index);  // to corrupt one record after adding it
    DiskBuilder& trackOffset(int track, std::int32_t offset);
    DiskBuilder& diskSize(std::int32_t size);
    Bytes build() const;

private:
    std::string diskName;
    std::uint8_t mediaByte = 0x00;
    std::map<int, std::vector<Sector>> tracks;
    std::map<int, std::int32_t> offsetOverrides;
    std::optional<std::int32_t> sizeOverride;
};

// The data the builder puts in sector R of a standard track: bytes 0 and 1 name the track
// and the sector, the rest is a pattern, so a byte copied from the wrong place shows.
Bytes sectorPattern(int track, int r);
// The bytes a run of whole standard sectors from (track, r) yields, sector range 1 to 16.
Bytes standardRun(int track, int r, int length);
// A complete disk A: every track standard, the system name at bytes 2..17 of the boot sector.
DiskBuilder diskA();
// A disk with a standard boot track whose bytes 2..17 are the given name.
DiskBuilder bootDisk(std::string_view systemName);

Bytes concat(const std::vector<Bytes>& parts);
Bytes repeat(const Bytes& disk, int times);
Bytes truncated(Bytes bytes, std::size_t length);
void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace d88test
