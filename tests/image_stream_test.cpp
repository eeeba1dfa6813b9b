// The block-buffered stream under the reader.
#include <gtest/gtest.h>

#include <string>

#include "d88/image_stream.h"
#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88::ImageStream;
using d88test::Bytes;

constexpr std::size_t kBlock = ImageStream::kBlockLength;

Bytes numbered(std::size_t length) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

Bytes part(const Bytes& bytes, std::size_t from, std::size_t length) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
}

class Stream : public testing::Test {
protected:
    void SetUp() override {
        path = dir.image(content);
        ASSERT_TRUE(stream.open(path.c_str()));
    }

    Bytes readAt(std::int64_t position, std::size_t length) {
        EXPECT_TRUE(stream.seekTo(position));
        Bytes out(length, 0xEE);
        out.resize(stream.read(out.data(), length));
        return out;
    }

    const Bytes content = numbered(2 * kBlock + 1000);
    d88test::TempDir dir;
    std::string path;
    ImageStream stream;
};

TEST_F(Stream, ReadsAcrossBlockEdges) {
    EXPECT_EQ(readAt(kBlock - 10, 100), part(content, kBlock - 10, 100));
    EXPECT_EQ(readAt(0, 16), part(content, 0, 16));
    EXPECT_EQ(readAt(kBlock - 1, 2 * kBlock), part(content, kBlock - 1, kBlock + 1001));  // longer than a block
    Bytes sequential;
    ASSERT_TRUE(stream.seekTo(100));
    for (int i = 0; i < 3000; ++i) {
        unsigned char header[16];
        ASSERT_EQ(stream.read(header, 16), 16u);
        sequential.insert(sequential.end(), header, header + 16);
        ASSERT_TRUE(stream.seekBy(20));
    }
    for (std::size_t i = 0; i < 3000; ++i) ASSERT_EQ(part(sequential, 16 * i, 16), part(content, 100 + 36 * i, 16)) << i;
}

TEST_F(Stream, SeeksInsideTheBlockAreServedFromMemory) {
    EXPECT_EQ(readAt(10, 16), part(content, 10, 16));
    // Change the file behind the stream: a seek back inside the block still sees the block,
    // a seek outside it reads the file again.
    d88test::writeFile(path, Bytes(content.size(), 0x00));
    EXPECT_EQ(readAt(1000, 16), part(content, 1000, 16));
    ASSERT_TRUE(stream.seekBy(-1000));
    unsigned char bytes[4];
    ASSERT_EQ(stream.read(bytes, 4), 4u);
    EXPECT_EQ(Bytes(bytes, bytes + 4), part(content, 16, 4));
    EXPECT_EQ(readAt(kBlock + 5000, 4), Bytes(4, 0x00));
    EXPECT_EQ(readAt(16, 4), Bytes(4, 0x00));
}

TEST_F(Stream, EndOfFileAndSeekingOnAfterIt) {
    const std::int64_t end = static_cast<std::int64_t>(content.size());
    EXPECT_EQ(readAt(end - 10, 100), part(content, content.size() - 10, 10));
    EXPECT_EQ(readAt(end, 16), Bytes{});
    EXPECT_EQ(readAt(end + 1'000'000, 16), Bytes{});
    EXPECT_EQ(readAt(5, 3), part(content, 5, 3));  // a seek after the end clears that state
    EXPECT_EQ(readAt(end - 1, 1), part(content, content.size() - 1, 1));
}

TEST_F(Stream, RefusesPositionsBeforeTheFile) {
    EXPECT_FALSE(stream.seekTo(-1));
    ASSERT_TRUE(stream.seekTo(10));
    EXPECT_FALSE(stream.seekBy(-11));
    EXPECT_FALSE(stream.seekBy(INT64_MAX));
    unsigned char byte = 0;
    ASSERT_EQ(stream.read(&byte, 1), 1u);  // the failed seeks left the position at 10
    EXPECT_EQ(byte, content[10]);
}

TEST_F(Stream, ClosedStreamReadsNothing) {
    EXPECT_EQ(readAt(0, 16).size(), 16u);
    stream.close();
    unsigned char bytes[16];
    EXPECT_FALSE(stream.seekTo(0));
    EXPECT_EQ(stream.read(bytes, 16), 0u);
    EXPECT_FALSE(stream.open(dir.file("missing").c_str()));
    EXPECT_EQ(stream.read(bytes, 16), 0u);
}

}  // namespace
