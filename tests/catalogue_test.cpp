// The catalogue of disks in a D88 file and the selection of one of them.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "d88/d88_image.h"
#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88::D88Image;
using d88test::Bytes;
using d88test::DiskBuilder;

Bytes namedDisk(const std::string& name, std::uint8_t media) {
    return DiskBuilder().name(name).media(media).addStandardTrack(0).build();
}

TEST(ReadLe, AssemblesLeastSignificantByteFirst) {
    const unsigned char bytes[] = {0x34, 0x12, 0xFE, 0xFF};
    EXPECT_EQ(d88::readLe16(bytes), 0x1234);
    EXPECT_EQ(d88::readLe16(bytes + 2), 0xFFFE);
    EXPECT_EQ(d88::readLe32(bytes), static_cast<std::int32_t>(0xFFFE1234u));
    const unsigned char largest[] = {0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(d88::readLe32(largest), INT_MAX);
}

struct CatalogueCase {
    const char* name;
    Bytes image;
    int disks;
};

void PrintTo(const CatalogueCase& c, std::ostream* os) { *os << c.name; }

class Catalogue : public testing::TestWithParam<CatalogueCase> {};

TEST_P(Catalogue, CountsTheWholeDiskHeaders) {
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(GetParam().image).c_str()));
    EXPECT_EQ(image.diskCount(), GetParam().disks);
    EXPECT_EQ(image.currentDisk(), -1);
}

const Bytes kDisk = namedDisk("ONE", 0x10);

DiskBuilder sized(std::int32_t size) { return DiskBuilder().name("SIZED").diskSize(size); }

INSTANTIATE_TEST_SUITE_P(
    Shapes, Catalogue,
    testing::Values(
        CatalogueCase{"empty_file", {}, 0},
        CatalogueCase{"one_byte_short_of_a_header", Bytes(0x2AF, 0), 0},
        CatalogueCase{"size_equals_file_length", kDisk, 1},
        CatalogueCase{"three_disks", d88test::repeat(kDisk, 3), 3},
        CatalogueCase{"trailing_partial_header", d88test::concat({kDisk, Bytes(0x2AF, 0)}), 1},
        CatalogueCase{"trailing_zero_header_repeats", d88test::concat({kDisk, Bytes(0x2B0, 0)}), 64},
        CatalogueCase{"sixty_four_disks", d88test::repeat(kDisk, 64), 64},
        CatalogueCase{"sixty_five_disks_keep_sixty_four", d88test::repeat(kDisk, 65), 64},
        CatalogueCase{"size_zero_repeats_the_disk", sized(0).build(), 64},
        CatalogueCase{"size_past_the_end", d88test::concat({sized(0x10000).build(), kDisk}), 1},
        CatalogueCase{"size_of_largest_int_ends_after_the_disk",
                      d88test::concat({sized(INT_MAX).build(), kDisk}), 1},
        CatalogueCase{"negative_size_ends_after_the_disk", d88test::concat({sized(-1).build(), kDisk}), 1},
        CatalogueCase{"most_negative_size_ends_after_the_disk",
                      d88test::concat({sized(INT_MIN).build(), kDisk}), 1}),
    d88test::CaseName());

TEST(Catalogue, PositionCanMoveBackwardsWithinTheFile) {
    // The second disk's size points back to the first; the walk revisits it up to the limit.
    const Bytes first = namedDisk("FIRST", 0x00);
    const Bytes second = DiskBuilder().name("SECOND").diskSize(-static_cast<std::int32_t>(first.size())).build();
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(d88test::concat({first, second})).c_str()));
    ASSERT_EQ(image.diskCount(), 64);
    ASSERT_TRUE(image.selectDisk(62));
    EXPECT_STREQ(image.diskLabel(), "FIRST");
    ASSERT_TRUE(image.selectDisk(63));
    EXPECT_STREQ(image.diskLabel(), "SECOND");
}

TEST(Catalogue, MissingFileFailsToOpen) {
    d88test::TempDir dir;
    D88Image image;
    EXPECT_FALSE(image.open(dir.file("missing.d88").c_str()));
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_FALSE(image.selectDisk(0));
}

TEST(Selection, ReadsEachDisksOwnHeader) {
    const Bytes file = d88test::concat({namedDisk("FIRST", 0x00), namedDisk("SECOND", 0x10), namedDisk("THIRD", 0x20)});
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(file).c_str()));
    ASSERT_EQ(image.diskCount(), 3);
    const char* labels[] = {"FIRST", "SECOND", "THIRD"};
    for (int disk = 2; disk >= 0; --disk) {
        ASSERT_TRUE(image.selectDisk(disk));
        EXPECT_EQ(image.currentDisk(), disk);
        EXPECT_EQ(image.mediaType(), 0x10 * disk);
        EXPECT_STREQ(image.diskLabel(), labels[disk]);
    }
}

TEST(Selection, LabelEdges) {
    Bytes file = d88test::concat({
        DiskBuilder().name("SIXTEEN-CHARS-AB").media(0xFF).build(),
        DiskBuilder().name(std::string("AB\0CD", 5)).build(),
        DiskBuilder().name(std::string("\x83\x74\x83\x40", 4)).build(),
    });
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(file).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(std::string(image.diskLabel()), "SIXTEEN-CHARS-AB");
    EXPECT_EQ(image.mediaType(), 0xFF);
    ASSERT_TRUE(image.selectDisk(1));
    EXPECT_EQ(std::string(image.diskLabel()), "AB");  // stops at the first NUL, the rest cleared
    ASSERT_TRUE(image.selectDisk(2));
    EXPECT_EQ(std::string(image.diskLabel()), "\x83\x74\x83\x40");
}

TEST(Selection, OutOfRangeResetsTheSelection) {
    d88test::TempDir dir;
    D88Image image;
    ASSERT_TRUE(image.open(dir.image(d88test::repeat(namedDisk("DISK", 0x20), 2)).c_str()));
    for (int index : {2, -1, INT_MIN, INT_MAX}) {
        ASSERT_TRUE(image.selectDisk(1));
        EXPECT_FALSE(image.selectDisk(index)) << index;
        EXPECT_EQ(image.currentDisk(), -1);
        EXPECT_EQ(image.mediaType(), -1);
        EXPECT_STREQ(image.diskLabel(), "");
    }
}

TEST(Lifecycle, ClosingAndReopening) {
    d88test::TempDir dir;
    const std::string two = dir.image(d88test::repeat(namedDisk("TWO", 0x10), 2), "two.d88");
    const std::string three = dir.image(d88test::repeat(namedDisk("THREE", 0x20), 3), "three.d88");
    D88Image image;
    EXPECT_FALSE(image.selectDisk(0));  // nothing open yet

    ASSERT_TRUE(image.open(two.c_str()));
    ASSERT_TRUE(image.selectDisk(1));
    ASSERT_TRUE(image.open(nullptr));
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_EQ(image.currentDisk(), -1);
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_FALSE(image.selectDisk(0));

    // Opening over an open file replaces it and forgets the old selection.
    ASSERT_TRUE(image.open(two.c_str()));
    ASSERT_TRUE(image.selectDisk(1));
    ASSERT_TRUE(image.open(three.c_str()));
    EXPECT_EQ(image.diskCount(), 3);
    EXPECT_EQ(image.currentDisk(), -1);
    EXPECT_STREQ(image.diskLabel(), "");
    ASSERT_TRUE(image.selectDisk(2));
    EXPECT_STREQ(image.diskLabel(), "THREE");

    EXPECT_FALSE(image.open(dir.file("missing").c_str()));
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_FALSE(image.selectDisk(0));
}

}  // namespace
