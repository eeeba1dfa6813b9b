// The byte stream under the reader: positioned reads and seeks on one image file.
// It reads the file a block at a time; a seek only moves a position, and a read is
// served from the block when it can be, so walking a track costs no system call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace d88 {

class ImageStream {
public:
    static constexpr std::size_t kBlockLength = 64 * 1024;

    ImageStream() = default;
    ~ImageStream() { close(); }
    ImageStream(const ImageStream&) = delete;
    ImageStream& operator=(const ImageStream&) = delete;

    bool open(const char* path);
    void close();
    bool isOpen() const { return file != nullptr; }

    // Positions are 64-bit so that no offset taken from an image can overflow them.
    // A seek may go past the end of the file; reads there answer 0.
    bool seekTo(std::int64_t target);
    bool seekBy(std::int64_t delta);
    // Answers how many bytes arrived; fewer than asked at the end of the file.
    std::size_t read(unsigned char* buffer, std::size_t length) {
        // The common case, a record header inside the block, stays inline and copies once.
        const std::int64_t offset = position - blockStart;
        if (offset < 0 || static_cast<std::uint64_t>(offset) + length > blockLength) return readAcrossBlocks(buffer, length);
        std::memcpy(buffer, block + offset, length);
        position += static_cast<std::int64_t>(length);
        return length;
    }

private:
    std::size_t readAcrossBlocks(unsigned char* buffer, std::size_t length);
    bool fillBlockAt(std::int64_t start);

    std::FILE* file = nullptr;
    std::int64_t position = 0;
    std::int64_t blockStart = 0;
    std::size_t blockLength = 0;
    std::int64_t fileOffset = 0;  // where the underlying stream stands
    unsigned char block[kBlockLength];
};

}  // namespace d88
