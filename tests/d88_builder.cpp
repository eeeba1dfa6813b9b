#include "tests/d88_builder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace d88test {

namespace {

constexpr std::size_t kHeaderLength = 0x2B0;
constexpr int kTrackCount = 164;

void putLe16(Bytes& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putLe32(Bytes& out, std::size_t at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void appendRecord(Bytes& out, const Sector& sector, std::size_t recordsInTrack) {
    const std::size_t at = out.size();
    out.resize(at + 16, 0);
    out[at + 0] = static_cast<std::uint8_t>(sector.c);
    out[at + 1] = static_cast<std::uint8_t>(sector.h);
    out[at + 2] = static_cast<std::uint8_t>(sector.r);
    out[at + 3] = static_cast<std::uint8_t>(sector.n);
    putLe16(out, at + 4, sector.count.value_or(static_cast<std::uint16_t>(recordsInTrack)));
    putLe16(out, at + 14, sector.dataLength.value_or(static_cast<std::uint16_t>(sector.data.size())));
    out.insert(out.end(), sector.data.begin(), sector.data.end());
}

}  // namespace

DiskBuilder& DiskBuilder::name(std::string_view text) {
    if (text.size() > 16) throw std::invalid_argument("disk name longer than 16 bytes");
    diskName = std::string(text);
    return *this;
}

DiskBuilder& DiskBuilder::media(std::uint8_t value) {
    mediaByte = value;
    return *this;
}

DiskBuilder& DiskBuilder::addSector(int track, Sector sector) {
    tracks[track].push_back(std::move(sector));
    return *this;
}

DiskBuilder& DiskBuilder::addStandardTrack(int track) {
    for (int r = 1; r <= kSectorsPerTrack; ++r)
        addSector(track, Sector{track >> 1, track & 1, r, 1, sectorPattern(track, r), {}, {}});
    return *this;
}

DiskBuilder& DiskBuilder::removeTrack(int track) {
    tracks.erase(track);
    return *this;
}

Sector& DiskBuilder::sector(int track, int index) {
    return tracks.at(track).at(static_cast<std::size_t>(index));
}

DiskBuilder& DiskBuilder::trackOffset(int track, std::int32_t offset) {
    offsetOverrides[track] = offset;
    return *this;
}

DiskBuilder& DiskBuilder::diskSize(std::int32_t size) {
    sizeOverride = size;
    return *this;
}

Bytes DiskBuilder::build() const {
    Bytes out(kHeaderLength, 0);
    std::copy(diskName.begin(), diskName.end(), out.begin());
    out[0x1B] = mediaByte;
    for (const auto& [track, sectors] : tracks) {
        if (track >= 0 && track < kTrackCount)
            putLe32(out, 0x20 + 4 * static_cast<std::size_t>(track), static_cast<std::int32_t>(out.size()));
        for (const Sector& sector : sectors) appendRecord(out, sector, sectors.size());
    }
    for (const auto& [track, offset] : offsetOverrides)
        putLe32(out, 0x20 + 4 * static_cast<std::size_t>(track), offset);
    putLe32(out, 0x1C, sizeOverride.value_or(static_cast<std::int32_t>(out.size())));
    return out;
}

Bytes sectorPattern(int track, int r) {
    Bytes data(kSectorLength);
    data[0] = static_cast<std::uint8_t>(track);
    data[1] = static_cast<std::uint8_t>(r);
    for (std::size_t i = 2; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(track * 29 + r * 71 + static_cast<int>(i) * 13 + 1);
    return data;
}

Bytes standardRun(int track, int r, int length) {
    Bytes out;
    while (static_cast<int>(out.size()) < length) {
        const Bytes data = sectorPattern(track, r);
        const auto wanted = std::min<std::size_t>(data.size(), static_cast<std::size_t>(length) - out.size());
        out.insert(out.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(wanted));
        if (r == kSectorsPerTrack) {
            ++track;
            r = 1;
        } else {
            ++r;
        }
    }
    return out;
}

DiskBuilder bootDisk(std::string_view systemName) {
    DiskBuilder disk;
    disk.addStandardTrack(0);
    Bytes& boot = disk.sector(0, 0).data;
    std::copy(systemName.begin(), systemName.end(), boot.begin() + 2);
    return disk;
}

DiskBuilder diskA() {
    DiskBuilder disk = bootDisk(kSystemName);
    disk.name("ZOREN A").media(0x10);
    for (int track = 1; track < kDiskATracks; ++track) disk.addStandardTrack(track);
    return disk;
}

Bytes concat(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes repeat(const Bytes& disk, int times) {
    return concat(std::vector<Bytes>(static_cast<std::size_t>(times), disk));
}

Bytes truncated(Bytes bytes, std::size_t length) {
    bytes.resize(std::min(length, bytes.size()));
    return bytes;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace d88test
