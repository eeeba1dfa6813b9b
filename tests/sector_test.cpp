// Sector reads of the current disk: single sectors, runs across tracks, track ID lists.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "d88/d88_image.h"
#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88::D88Image;
using d88test::Bytes;
using d88test::DiskBuilder;
using d88test::Sector;
using d88test::sectorPattern;

constexpr std::size_t kBufferLength = 4096;
constexpr std::uint8_t kUntouched = 0xEE;

struct ReadCase {
    const char* name;
    Bytes image;
    std::function<int(D88Image&, unsigned char*)> read;
    int answer;
    Bytes written;  // the buffer's bytes from its start; every byte after them stays untouched
    int disk = 0;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class SectorRead : public testing::TestWithParam<ReadCase> {};

TEST_P(SectorRead, AnswersAndFillsTheBuffer) {
    const ReadCase& c = GetParam();
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(c.image).c_str()));
    ASSERT_TRUE(image.selectDisk(c.disk));
    Bytes buffer(kBufferLength, kUntouched);
    EXPECT_EQ(c.read(image, buffer.data()), c.answer);
    Bytes expected = c.written;
    expected.resize(kBufferLength, kUntouched);
    EXPECT_EQ(buffer, expected);
}

Bytes slice(const Bytes& bytes, std::size_t length) { return d88test::truncated(bytes, length); }

Bytes join(std::initializer_list<Bytes> parts) { return d88test::concat(parts); }

Sector record(int c, int h, int r, Bytes data, std::optional<std::uint16_t> count = {}) {
    return Sector{c, h, r, 1, std::move(data), count, {}};
}

DiskBuilder standardTracks(std::initializer_list<int> tracks) {
    DiskBuilder disk;
    for (int track : tracks) disk.addStandardTrack(track);
    return disk;
}

// Offset of track 1 in a disk of tracks 0 and 1: header, then sixteen records of 16 + 256 bytes.
constexpr std::int32_t kSecondTrackOffset = 0x2B0 + 16 * (16 + 256);

auto single(int track, int c, int h, int r, int n, int maxLength) {
    return [=](D88Image& image, unsigned char* buffer) {
        return image.readSector(track, c, h, r, n, buffer, maxLength);
    };
}

auto run(int track, int c, int h, int r, int n, int length) {
    return [=](D88Image& image, unsigned char* buffer) {
        return image.readSectors(track, c, h, r, n, buffer, length);
    };
}

auto ids(int track, int length) {
    return [=](D88Image& image, unsigned char* buffer) { return image.readTrackIds(track, buffer, length); };
}

const Bytes kTrack0 = standardTracks({0}).build();
const Bytes kTracks0to3 = standardTracks({0, 1, 2, 3}).build();

INSTANTIATE_TEST_SUITE_P(
    Single, SectorRead,
    testing::Values(
        ReadCase{"max_length_below_data_length", kTrack0, single(0, 0, 0, 1, 1, 19), 19, slice(sectorPattern(0, 1), 19)},
        ReadCase{"max_length_above_data_length", kTrack0, single(0, 0, 0, 5, 1, 1000), 256, sectorPattern(0, 5)},
        ReadCase{"max_length_zero", kTrack0, single(0, 0, 0, 5, 1, 0), 0, {}},
        ReadCase{"max_length_negative", kTrack0, single(0, 0, 0, 5, 1, -1), 0, {}},
        ReadCase{"id_on_another_track_only", standardTracks({0, 1}).build(), single(0, 0, 1, 1, 1, 256), 0, {}},
        ReadCase{"size_code_must_match", kTrack0, single(0, 0, 0, 1, 2, 256), 0, {}},
        ReadCase{"track_index_out_of_range", kTrack0, single(164, 0, 0, 1, 1, 256), 0, {}},
        ReadCase{"track_index_negative", kTrack0, single(-1, 0, 0, 1, 1, 256), 0, {}},
        ReadCase{"absent_track", kTrack0, single(1, 0, 1, 1, 1, 256), 0, {}},
        ReadCase{"first_match_wins",
                 DiskBuilder().addSector(0, record(0, 0, 1, Bytes(8, 0x11))).addSector(0, record(0, 0, 1, Bytes(8, 0x22))).build(),
                 single(0, 0, 0, 1, 1, 256), 8, Bytes(8, 0x11)},
        ReadCase{"id_bytes_compare_as_unsigned",
                 DiskBuilder().addSector(0, record(255, 0, 200, Bytes(4, 0x33))).build(),
                 single(0, 255, 0, 200, 1, 256), 4, Bytes(4, 0x33)},
        ReadCase{"negative_id_never_matches",
                 DiskBuilder().addSector(0, record(255, 0, 1, Bytes(4, 0x33))).build(),
                 single(0, -1, 0, 1, 1, 256), 0, {}},
        ReadCase{"count_above_records_walks_into_next_track",
                 DiskBuilder().addSector(0, record(0, 0, 1, Bytes(4, 1), 3)).addStandardTrack(1).build(),
                 single(0, 0, 1, 2, 1, 256), 256, sectorPattern(1, 2)},
        ReadCase{"count_zero_ends_the_walk",
                 DiskBuilder().addSector(0, record(0, 0, 9, Bytes(4, 1), 0)).addSector(0, record(0, 0, 1, Bytes(4, 2))).build(),
                 single(0, 0, 0, 1, 1, 256), 0, {}},
        ReadCase{"track_entry_equal_to_disk_size_is_readable",
                 standardTracks({0, 1}).diskSize(kSecondTrackOffset).build(), single(1, 0, 1, 3, 1, 256), 256, sectorPattern(1, 3)},
        ReadCase{"track_entry_above_disk_size_is_unreadable",
                 standardTracks({0, 1}).diskSize(kSecondTrackOffset - 1).build(), single(1, 0, 1, 3, 1, 256), 0, {}},
        ReadCase{"track_offsets_count_from_the_disk_header",
                 join({d88test::bootDisk("FIRST DISK NAME ").build(), d88test::bootDisk("SECOND DISK NAME").build()}),
                 single(0, 0, 0, 1, 1, 18), 18, slice(d88test::bootDisk("SECOND DISK NAME").sector(0, 0).data, 18), 1}),
    d88test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Run, SectorRead,
    testing::Values(
        ReadCase{"three_hundred_bytes", kTrack0, run(0, 0, 0, 1, 1, 300), 300, d88test::standardRun(0, 1, 300)},
        ReadCase{"second_sector_missing",
                 DiskBuilder().addSector(0, record(0, 0, 1, sectorPattern(0, 1))).addSector(0, record(0, 0, 3, sectorPattern(0, 3))).build(),
                 run(0, 0, 0, 1, 1, 768), 256, sectorPattern(0, 1)},
        ReadCase{"head_0_to_head_1", kTracks0to3, run(0, 0, 0, 16, 1, 512), 512, join({sectorPattern(0, 16), sectorPattern(1, 1)})},
        ReadCase{"head_1_to_next_cylinder", kTracks0to3, run(1, 0, 1, 16, 1, 512), 512, join({sectorPattern(1, 16), sectorPattern(2, 1)})},
        ReadCase{"cylinder_1_head_0_to_head_1", kTracks0to3, run(2, 1, 0, 16, 1, 512), 512, join({sectorPattern(2, 16), sectorPattern(3, 1)})},
        ReadCase{"length_zero", kTrack0, run(0, 0, 0, 1, 1, 0), 0, {}},
        ReadCase{"length_negative", kTrack0, run(0, 0, 0, 1, 1, -256), 0, {}},
        ReadCase{"size_code_above_23", kTrack0, run(0, 0, 0, 1, 24, 256), 0, {}},
        ReadCase{"size_code_negative", kTrack0, run(0, 0, 0, 1, -1, 256), 0, {}},
        ReadCase{"size_code_0_steps_by_128",
                 DiskBuilder().addSector(0, Sector{0, 0, 1, 0, Bytes(128, 0x41), {}, {}}).addSector(0, Sector{0, 0, 2, 0, Bytes(128, 0x42), {}, {}}).build(),
                 run(0, 0, 0, 1, 0, 256), 256, join({Bytes(128, 0x41), Bytes(128, 0x42)})},
        ReadCase{"short_sector_is_copied_but_not_counted",
                 DiskBuilder().addSector(0, record(0, 0, 1, sectorPattern(0, 1))).addSector(0, record(0, 0, 2, Bytes(100, 0x44))).build(),
                 run(0, 0, 0, 1, 1, 512), 256, join({sectorPattern(0, 1), Bytes(100, 0x44)})},
        ReadCase{"first_sector_short",
                 DiskBuilder().addSector(0, record(0, 0, 1, Bytes(255, 0x45))).build(), run(0, 0, 0, 1, 1, 256), 0, Bytes(255, 0x45)}),
    d88test::CaseName());

DiskBuilder rangeZeroToThree() {
    DiskBuilder disk;
    for (int track = 0; track < 2; ++track)
        for (int r = 0; r < 4; ++r) disk.addSector(track, record(0, track, r, Bytes(256, static_cast<std::uint8_t>(16 * track + r))));
    return disk;
}

TEST(SectorRun, FollowsTheSectorRange) {
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(rangeZeroToThree().build()).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    image.setSectorRange(0, 3);
    Bytes buffer(6 * 256);
    ASSERT_EQ(image.readSectors(0, 0, 0, 2, 1, buffer.data(), 6 * 256), 6 * 256);
    const std::uint8_t firstBytes[] = {2, 3, 16, 17, 18, 19};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(buffer[256 * i], firstBytes[i]) << i;
    // With the default range 1..16, the run looks for sector 4 after 3 and stops.
    image.setSectorRange(1, 16);
    EXPECT_EQ(image.readSectors(0, 0, 0, 2, 1, buffer.data(), 6 * 256), 2 * 256);
}

Bytes idsOf(std::initializer_list<std::initializer_list<int>> list) {
    Bytes out;
    for (const auto& id : list)
        for (int byte : id) out.push_back(static_cast<std::uint8_t>(byte));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    TrackIds, SectorRead,
    testing::Values(
        ReadCase{"length_7_holds_one_id", kTrack0, ids(0, 7), 4, idsOf({{0, 0, 1, 1}})},
        ReadCase{"whole_track_in_order",
                 DiskBuilder().addSector(3, Sector{9, 8, 7, 6, Bytes(3), {}, {}}).addSector(3, Sector{255, 0, 0, 2, {}, {}, {}}).build(),
                 ids(3, 64), 8, idsOf({{9, 8, 7, 6}, {255, 0, 0, 2}})},
        ReadCase{"count_zero_does_not_end_the_list",
                 DiskBuilder().addSector(0, record(0, 0, 1, Bytes(4), 0)).addSector(0, record(0, 0, 2, Bytes(4), 2)).addSector(0, record(0, 0, 3, Bytes(4), 3)).build(),
                 ids(0, 64), 8, idsOf({{0, 0, 1, 1}, {0, 0, 2, 1}})},
        ReadCase{"length_below_one_id", kTrack0, ids(0, 3), 0, {}},
        ReadCase{"absent_track", kTrack0, ids(5, 64), 0, {}}),
    d88test::CaseName());

// Damaged images: every walk ends, and answers only what the file really delivered.
const Bytes kTwoSectors =
    DiskBuilder().addSector(0, record(0, 0, 1, sectorPattern(0, 1))).addSector(0, record(0, 0, 2, sectorPattern(0, 2))).build();
const std::size_t kSecondDataStart = kTwoSectors.size() - 256;

INSTANTIATE_TEST_SUITE_P(
    Damaged, SectorRead,
    testing::Values(
        ReadCase{"sector_data_cut_short", slice(kTwoSectors, kSecondDataStart + 100), single(0, 0, 0, 2, 1, 256), 100,
                 slice(sectorPattern(0, 2), 100)},
        ReadCase{"run_stops_at_data_cut_short", slice(kTwoSectors, kSecondDataStart + 100), run(0, 0, 0, 1, 1, 512), 256,
                 join({sectorPattern(0, 1), slice(sectorPattern(0, 2), 100)})},
        ReadCase{"record_header_cut_short", slice(kTwoSectors, kSecondDataStart - 8), single(0, 0, 0, 2, 1, 256), 0, {}},
        ReadCase{"ids_stop_at_header_cut_short", slice(kTwoSectors, kSecondDataStart - 8), ids(0, 64), 4, idsOf({{0, 0, 1, 1}})},
        ReadCase{"counts_never_ending_the_walk",
                 DiskBuilder().addSector(0, record(0, 0, 1, Bytes(4), 9)).addSector(0, record(0, 0, 2, Bytes(4), 9)).build(),
                 single(0, 0, 0, 7, 1, 256), 0, {}},
        ReadCase{"track_start_before_the_file", standardTracks({0}).trackOffset(0, -16).build(), single(0, 0, 0, 1, 1, 256), 0, {}},
        ReadCase{"track_start_past_largest_offset",
                 join({kTrack0, standardTracks({0}).trackOffset(0, INT_MAX - 8).diskSize(INT_MAX).build()}),
                 single(0, 0, 0, 1, 1, 256), 0, {}, 1}),
    d88test::CaseName());

// With counts that never say "last", a walk still ends after 65,535 records.
TEST(SectorWalk, EndsAfterTheLargestPossibleCount) {
    DiskBuilder disk;
    for (int index = 0; index < 65536; ++index) disk.addSector(0, record(1, 1, 1, {}, 1));
    disk.sector(0, 0).count = 2;
    disk.sector(0, 65534) = record(0, 0, 7, Bytes(2, 0x77), 1);
    disk.sector(0, 65535) = record(0, 0, 8, Bytes(2, 0x88), 1);
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(disk.build()).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    unsigned char buffer[2] = {};
    EXPECT_EQ(image.readSector(0, 0, 0, 7, 1, buffer, 2), 2);
    EXPECT_EQ(image.readSector(0, 0, 0, 8, 1, buffer, 2), 0);
}

TEST(SectorAccess, EveryReadAnswersZeroWithoutADisk) {
    d88test::TempDir dir;
    const std::string path = dir.image(kTracks0to3);
    D88Image image;
    unsigned char buffer[512];
    const auto expectNothing = [&](const char* state) {
        EXPECT_EQ(image.readSector(0, 0, 0, 1, 1, buffer, 256), 0) << state;
        EXPECT_EQ(image.readSectors(0, 0, 0, 1, 1, buffer, 512), 0) << state;
        EXPECT_EQ(image.readTrackIds(0, buffer, 64), 0) << state;
    };
    expectNothing("no file");
    ASSERT_TRUE(image.open(path.c_str()));
    expectNothing("open, nothing selected");
    ASSERT_TRUE(image.selectDisk(0));
    ASSERT_EQ(image.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    ASSERT_TRUE(image.open(nullptr));
    expectNothing("closed");
}

}  // namespace
