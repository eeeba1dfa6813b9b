#include "d88/image_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

namespace d88 {

bool ImageStream::open(const char* path) {
    close();
    // A directory opens for reading on some systems but never yields a byte.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        errno = EISDIR;
        return false;
    }
    file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    // The block is the only buffer: the file stream would copy every byte twice.
    std::setvbuf(file, nullptr, _IONBF, 0);
    position = 0;
    blockStart = 0;
    blockLength = 0;
    fileOffset = 0;
    return true;
}

void ImageStream::close() {
    if (file == nullptr) return;
    std::fclose(file);
    file = nullptr;
    blockLength = 0;
}

bool ImageStream::seekTo(std::int64_t target) {
    if (file == nullptr || target < 0) return false;
    position = target;
    return true;
}

bool ImageStream::seekBy(std::int64_t delta) {
    if (file == nullptr) return false;
    if (delta > 0 && position > std::numeric_limits<std::int64_t>::max() - delta) return false;
    if (position + delta < 0) return false;
    position += delta;
    return true;
}

std::size_t ImageStream::readAcrossBlocks(unsigned char* buffer, std::size_t length) {
    if (file == nullptr) return 0;
    std::size_t total = 0;
    while (total < length) {
        const bool inBlock = position >= blockStart &&
                             position < blockStart + static_cast<std::int64_t>(blockLength);
        if (!inBlock && !fillBlockAt(position)) break;
        const auto offset = static_cast<std::size_t>(position - blockStart);
        const std::size_t count = std::min(length - total, blockLength - offset);
        std::memcpy(buffer + total, block + offset, count);
        total += count;
        position += static_cast<std::int64_t>(count);
    }
    return total;
}

// One seek (none when reading on from the last block) and one read of a whole block.
bool ImageStream::fillBlockAt(std::int64_t start) {
    blockStart = start;
    blockLength = 0;
    // Where long is narrower than 64 bits, fseek cannot reach such a position.
    if (start > std::numeric_limits<long>::max()) return false;
    if (start != fileOffset) {
        // Also clears the end-of-file state a short read may have left.
        if (std::fseek(file, static_cast<long>(start), SEEK_SET) != 0) {
            fileOffset = -1;
            return false;
        }
        fileOffset = start;
    }
    blockLength = std::fread(block, 1, kBlockLength, file);
    fileOffset += static_cast<std::int64_t>(blockLength);
    if (blockLength < kBlockLength) std::clearerr(file);
    return blockLength > 0;
}

}  // namespace d88
