#include "d88/image_stream.h"

#include <filesystem>
#include <system_error>

namespace d88 {

bool ImageStream::open(const char* path) {
    close();
    // A directory opens for reading on some systems but never yields a byte.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    file = std::fopen(path, "rb");
    return file != nullptr;
}

void ImageStream::close() {
    if (file == nullptr) return;
    std::fclose(file);
    file = nullptr;
}

bool ImageStream::seekTo(std::int64_t position) {
    if (file == nullptr || position < 0) return false;
    return std::fseek(file, static_cast<long>(position), SEEK_SET) == 0;
}

bool ImageStream::seekBy(std::int64_t delta) {
    if (file == nullptr) return false;
    return std::fseek(file, static_cast<long>(delta), SEEK_CUR) == 0;
}

std::size_t ImageStream::read(unsigned char* buffer, std::size_t length) {
    if (file == nullptr) return 0;
    return std::fread(buffer, 1, length, file);
}

}  // namespace d88
