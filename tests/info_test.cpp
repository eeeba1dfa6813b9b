// d88info run as a child process over images built in code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88test::Bytes;
using d88test::DiskBuilder;
using d88test::RunResult;
using d88test::TempDir;

RunResult info(const TempDir& dir, const std::vector<std::string>& args) {
    d88test::RunOptions options;
    options.workDir = dir.path();
    std::vector<std::string> argv = {"d88info"};
    argv.insert(argv.end(), args.begin(), args.end());
    return d88test::runProgram(D88INFO_PATH, argv, options);
}

// A disk that is not disk A: a Shift_JIS, quote and backslash label with no NUL, an unknown
// media byte, track 1 missing and track 5 pointing past the disk.
Bytes otherDisk() {
    return d88test::bootDisk("OTHER SYSTEM    ")
        .name("\x83\x74" "A\\B\"CDEFGHIJKL")
        .media(0x42)
        .addStandardTrack(2)
        .trackOffset(5, 0x7FFFFFFF)
        .build();
}

TEST(Info, ListsEveryDisk) {
    TempDir dir;
    const std::string image = dir.image(d88test::concat({d88test::diskA().build(), otherDisk()}));
    const RunResult result = info(dir, {image});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "disk 0: offset 0, size 697008, media 0x10 (2DD), 160 readable tracks, label \"ZOREN A\", disk A\n"
              "disk 1: offset 697008, size 9392, media 0x42, 2 readable tracks, "
              "label \"\\x83tA\\x5CB\\x22CDEFGHIJKL\", not disk A\n"
              "2 disks, 1 of them disk A\n");
    // The report depends on the image's bytes only, not on where the file is.
    EXPECT_EQ(info(dir, {dir.image(d88test::readFile(image), "copy.d88")}).out, result.out);
}

TEST(Info, TracksListTheRecordIds) {
    const Bytes image = DiskBuilder()
                            .media(0x20)
                            .addSector(3, d88test::Sector{9, 8, 7, 6, Bytes(3), {}, {}})
                            .addSector(3, d88test::Sector{255, 0, 0, 2, {}, {}, {}})
                            .addSector(0, d88test::Sector{0, 0, 1, 1, Bytes(256), {}, {}})
                            .build();
    TempDir dir;
    const RunResult result = info(dir, {"--tracks", dir.image(image)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "disk 0: offset 0, size 995, media 0x20 (2HD), 2 readable tracks, label \"\", not disk A\n"
              "  track 0 (C0 H0): 0/0/1/1\n"
              "  track 3 (C1 H1): 9/8/7/6 255/0/0/2\n"
              "1 disk, 0 of them disk A\n");
}

TEST(Info, FileWithoutAWholeHeader) {
    TempDir dir;
    const RunResult result = info(dir, {dir.image(Bytes(100, 0x41))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "no disks: the file holds no whole disk header\n");
}

TEST(Info, CommandLineAndOpenFailures) {
    TempDir dir;
    const std::string image = dir.image(otherDisk());
    const std::string usage = "Usage: d88info [--tracks] IMAGE\n";
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"--help"}, 0, usage, ""},
        {{}, 1, "", usage},
        {{"--verbose", image}, 1, "", usage},
        {{"--tracks"}, 1, "", usage},
        {{"-x"}, 1, "", usage},
        {{image, image}, 1, "", usage},
        {{dir.file("missing.d88")}, 1, "", "d88info: cannot open " + dir.file("missing.d88") + ": No such file or directory\n"},
        {{dir.path()}, 1, "", "d88info: cannot open " + dir.path() + ": Is a directory\n"},
    };
    for (const Case& c : cases) {
        const RunResult result = info(dir, c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(result.exitCode, c.exitCode) << shown;
        EXPECT_EQ(result.out, c.out) << shown;
        EXPECT_EQ(result.err, c.err) << shown;
    }
}

}  // namespace
