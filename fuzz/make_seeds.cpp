// Writes the seed images of the fuzzers, and of the memory checks, into a directory:
// disk A, several disks, and the damaged shapes that the tests know.
#include <climits>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "tests/d88_builder.h"

namespace {

using d88test::Bytes;
using d88test::DiskBuilder;

// Disk A with only the tracks that are read, so that the fuzzers mutate small inputs.
DiskBuilder compactDiskA() {
    DiskBuilder disk = d88test::bootDisk(d88test::kSystemName);
    disk.name("ZOREN A").media(0x10);
    for (int track : {1, 2, 3, 4, 5, 6, 7, 8, 9, 24, 59, 60, 74, 75, 76, 77, 78}) disk.addStandardTrack(track);
    return disk;
}

std::vector<std::pair<std::string, Bytes>> seeds() {
    const Bytes diskA = compactDiskA().build();
    const Bytes other = d88test::bootDisk("OTHER SYSTEM    ").build();
    DiskBuilder disagreeing = d88test::bootDisk(d88test::kSystemName);
    for (int index = 0; index < 16; ++index) disagreeing.sector(0, index).count = static_cast<std::uint16_t>(0xFFFF - index);
    DiskBuilder countZero = d88test::bootDisk(d88test::kSystemName);
    countZero.sector(0, 0).count = 0;
    DiskBuilder shortSectors = compactDiskA();
    shortSectors.sector(1, 3).data.resize(100);
    shortSectors.sector(74, 11).dataLength = 0xFFFF;

    return {
        {"empty", {}},
        {"short_header", Bytes(0x2AF, 0)},
        {"disk_a", diskA},
        {"disk_a_boot_only", d88test::bootDisk(d88test::kSystemName).build()},
        {"three_disks", d88test::concat({other, diskA, other})},
        {"disk_a_twice", d88test::repeat(diskA, 2)},
        {"size_zero", d88test::bootDisk(d88test::kSystemName).diskSize(0).build()},
        {"size_negative", d88test::concat({d88test::bootDisk(d88test::kSystemName).diskSize(-0x2B0).build(), other})},
        {"size_largest", d88test::concat({d88test::bootDisk(d88test::kSystemName).diskSize(INT_MAX).build(), other})},
        {"counts_disagree", disagreeing.build()},
        {"count_zero", countZero.build()},
        {"short_sectors", shortSectors.build()},
        {"cut_in_data", d88test::truncated(diskA, diskA.size() - 100)},
        {"cut_in_header", d88test::truncated(diskA, diskA.size() - 272 - 8)},
        {"track_offset_negative", compactDiskA().trackOffset(1, -16).trackOffset(0, INT_MIN).build()},
        {"track_offset_largest", compactDiskA().trackOffset(1, INT_MAX).diskSize(INT_MAX).build()},
        {"label_without_nul", compactDiskA().name("0123456789ABCDEF").build()},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s DIRECTORY\n", argc > 0 ? argv[0] : "make_seeds");
        return 1;
    }
    try {
        for (const auto& [name, bytes] : seeds()) d88test::writeFile(std::string(argv[1]) + "/" + name + ".d88", bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
