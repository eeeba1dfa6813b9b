// Fuzzes the whole cut: the input is the image; the walk recognises and cuts disks inside a
// private scratch directory, which must hold no temporary file afterwards. d88info's report
// of the same image runs too.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "d88/d88_image.h"
#include "tool/cut.h"
#include "tool/info.h"

namespace {

char scratch[] = "/tmp/d88fuzz-tool-XXXXXX";

constexpr char kImageName[] = "image.d88";

// The fuzzer's own directory: its corpus and artifact paths may be relative to it.
int fuzzerDirectory = -1;

void removeScratchDirectory() {
    if (chdir(scratch) != 0) return;
    std::remove(kImageName);
    for (const d88cut::CutEntry* entry = d88cut::cutTable; entry->sector != 0; ++entry) std::remove(entry->name);
    if (chdir("/") == 0) rmdir(scratch);
}

// The cut writes into the current directory, so each input runs inside the scratch
// directory, and the fuzzer gets its own directory back afterwards.
void enterScratchDirectory() {
    static bool made = false;
    if (!made) {
        fuzzerDirectory = open(".", O_RDONLY | O_DIRECTORY);
        if (fuzzerDirectory < 0 || mkdtemp(scratch) == nullptr) std::abort();
        std::atexit(removeScratchDirectory);
        // Progress lines and reports would only slow the fuzzer down.
        if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
        made = true;
    }
    if (chdir(scratch) != 0) std::abort();
}

void leaveScratchDirectory() {
    if (fchdir(fuzzerDirectory) != 0) std::abort();
}

bool isExpectedEntry(const char* name) {
    for (const char* expected : {".", "..", kImageName})
        if (std::strcmp(name, expected) == 0) return true;
    for (const d88cut::CutEntry* entry = d88cut::cutTable; entry->sector != 0; ++entry)
        if (std::strcmp(name, entry->name) == 0) return true;
    return false;
}

void checkNoTemporaryFileLeft() {
    DIR* directory = opendir(".");
    if (directory == nullptr) std::abort();
    while (const dirent* entry = readdir(directory))
        if (!isExpectedEntry(entry->d_name)) {
            std::fprintf(stderr, "unexpected file left behind: %s\n", entry->d_name);
            std::abort();
        }
    closedir(directory);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enterScratchDirectory();
    std::FILE* file = std::fopen(kImageName, "wb");
    if (file == nullptr) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    static d88::D88Image image;
    if (!image.open(kImageName)) std::abort();
    d88cut::cutAllDisks(image);
    d88cut::printImageReport(image, true);
    image.open(nullptr);
    checkNoTemporaryFileLeft();
    leaveScratchDirectory();
    return 0;
}
