#include "tool/cut.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tool/disk_a.h"
#include "tool/messages.h"

namespace d88cut {

namespace {

// Every sector read of the tool lands here, each run at its start.
unsigned char cutBuffer[kCutBufferLength];

// "DISK Aを認識しました.\n" in Shift_JIS: disk A was recognised.
constexpr char kRecognisedMessage[] =
    "\x44\x49\x53\x4B\x20\x41\x82\xF0\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x2E\n";

constexpr int kTemporaryNameTries = 100;

// Creates a temporary file beside name that no other file had. Exclusive creation gives it
// the permissions of a plain create, 0666 less the umask.
std::FILE* createTemporary(const char* name, char* path, std::size_t pathLength) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        std::snprintf(path, pathLength, ".%s.d88cut-%d.tmp", name, attempt);
        std::FILE* file = std::fopen(path, "wbx");
        if (file != nullptr || errno != EEXIST) return file;
    }
    return nullptr;
}

// Writes the file whole, or leaves any older file of that name as it was. Answers false
// with errno set by the first call that failed.
bool writeWhole(const char* name, const unsigned char* data, int length) {
    char temporary[sizeof(CutEntry::name) + 32];
    std::FILE* outFile = createTemporary(name, temporary, sizeof temporary);
    if (outFile == nullptr) return false;
    // The file is written in one piece; a stream buffer would only split it into more writes.
    std::setvbuf(outFile, nullptr, _IONBF, 0);

    int error = 0;
    const auto noteFailure = [&error] {
        if (error == 0) error = errno != 0 ? errno : EIO;
    };
    const auto wanted = static_cast<std::size_t>(length);
    errno = 0;
    if (std::fwrite(data, 1, wanted, outFile) != wanted) noteFailure();
    if (std::fclose(outFile) != 0) noteFailure();
    if (error == 0 && std::rename(temporary, name) != 0) noteFailure();
    if (error == 0) return true;
    std::remove(temporary);
    errno = error;
    return false;
}

}  // namespace

CutResult cutFile(d88::D88Image& image, const char* name, int track, int c, int h, int r, int n,
                  int skip, int length) {
    if (skip < 0 || length <= 0 || length > kCutBufferLength - skip) return CutResult::nothingRead;
    const int wanted = skip + length;
    // Whatever the run does not reach reads as zeros, never as an earlier read's bytes.
    std::memset(cutBuffer, 0, static_cast<std::size_t>(wanted));
    const int got = image.readSectors(track, c, h, r, n, cutBuffer, wanted);
    if (got == 0) return CutResult::nothingRead;

    std::printf("cutting ... %s\n", name);
    if (got < wanted) printError("d88cut: warning: %s is incomplete: %d of %d bytes read\n", name, got, length);
    if (!writeWhole(name, cutBuffer + skip, length)) {
        printError("d88cut: cannot write %s: %s\n", name, std::strerror(errno));
        return CutResult::writeFailed;
    }
    return CutResult::written;
}

bool cutIfDiskA(d88::D88Image& image) {
    image.setSectorRange(1, 16);
    if (!isDiskA(image, cutBuffer)) return true;
    std::fputs(kRecognisedMessage, stdout);

    bool allWritten = true;
    for (const CutEntry* entry = cutTable; entry->sector != 0; ++entry) {
        const CutResult result = cutFile(image, entry->name, entry->track, entry->track >> 1, entry->track & 1,
                                         entry->sector, 1, 0, entry->size);
        if (result == CutResult::writeFailed) allWritten = false;
    }
    return allWritten;
}

bool cutAllDisks(d88::D88Image& image) {
    bool allWritten = true;
    const int disks = image.diskCount();
    for (int disk = 0; disk < disks; ++disk) {
        image.selectDisk(disk);
        if (!cutIfDiskA(image)) allWritten = false;
    }
    return allWritten;
}

}  // namespace d88cut
