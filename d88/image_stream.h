// The byte stream under the reader: positioned reads and seeks on one image file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace d88 {

class ImageStream {
public:
    ImageStream() = default;
    ~ImageStream() { close(); }
    ImageStream(const ImageStream&) = delete;
    ImageStream& operator=(const ImageStream&) = delete;

    bool open(const char* path);
    void close();
    bool isOpen() const { return file != nullptr; }

    // Positions are 64-bit so that no offset taken from an image can overflow them.
    bool seekTo(std::int64_t position);
    bool seekBy(std::int64_t delta);
    // Answers how many bytes arrived; fewer than asked at the end of the file.
    std::size_t read(unsigned char* buffer, std::size_t length);

private:
    std::FILE* file = nullptr;
};

}  // namespace d88
