// d88cut cutting files out of disk images: messages, exit codes and the exact files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88test::Bytes;
using d88test::RunResult;
using d88test::TempDir;

using d88test::kCannotOpenMessage;
const std::string& kRecognised = d88test::kRecognisedMessage;
const std::string kAllCut = kRecognised + "cutting ... OP\ncutting ... MAIN\ncutting ... SUB\ncutting ... ED\n";

struct CutFile {
    const char* name;
    int track;
    int sector;
    int size;
};
const CutFile kFiles[] = {{"OP", 1, 1, 34816}, {"MAIN", 24, 2, 2048}, {"SUB", 59, 1, 5376}, {"ED", 74, 12, 16128}};

Bytes expectedFile(const CutFile& file) { return d88test::standardRun(file.track, file.sector, file.size); }

RunResult cutIn(const TempDir& dir, const Bytes& image, d88test::RunOptions options = {}) {
    options.workDir = dir.path();
    return d88test::runProgram(D88CUT_PATH, {"d88cut", dir.image(image)}, options);
}

void expectFilesOfDiskA(const TempDir& dir) {
    for (const CutFile& file : kFiles) EXPECT_EQ(d88test::readFile(dir.file(file.name)), expectedFile(file)) << file.name;
}

const std::vector<std::string> kAllEntries = {"ED", "MAIN", "OP", "SUB", "image.d88"};

TEST(Cut, CompleteDiskA) {
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::diskA().build());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.entries(), kAllEntries);
    expectFilesOfDiskA(dir);

    // Cut files get the permissions of a plain create, not those of a temporary file.
    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(dir.file("OP").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(Cut, DiskAAmongOtherDisks) {
    TempDir dir;
    const Bytes other = d88test::bootDisk("ZOREN       Sys2").build();
    const RunResult result = cutIn(dir, d88test::concat({other, d88test::diskA().build(), other}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(dir.entries(), kAllEntries);
    expectFilesOfDiskA(dir);
}

TEST(Cut, SecondDiskAReplacesTheFirstCuts) {
    d88test::DiskBuilder second = d88test::diskA();
    second.sector(1, 0).data.assign(256, 0x5A);  // first sector of OP
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::concat({d88test::diskA().build(), second.build()}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut + kAllCut);
    EXPECT_EQ(dir.entries(), kAllEntries);
    Bytes op = expectedFile(kFiles[0]);
    std::fill(op.begin(), op.begin() + 256, 0x5A);
    EXPECT_EQ(d88test::readFile(dir.file("OP")), op);
}

struct NameCase {
    const char* name;
    std::string systemName;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class NotDiskA : public testing::TestWithParam<NameCase> {};

TEST_P(NotDiskA, IsNeitherAnnouncedNorCut) {
    d88test::DiskBuilder disk = d88test::diskA();
    Bytes& boot = disk.sector(0, 0).data;
    std::copy(GetParam().systemName.begin(), GetParam().systemName.end(), boot.begin() + 2);
    TempDir dir;
    const RunResult result = cutIn(dir, disk.build());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"image.d88"});
}

INSTANTIATE_TEST_SUITE_P(OneByteOff, NotDiskA,
                         testing::Values(NameCase{"lowercase_letter", "ZOREn       Sys "},
                                         NameCase{"six_spaces", "ZOREN      Sys  "},
                                         NameCase{"no_final_space", "ZOREN       Sys_"},
                                         NameCase{"first_byte", "_OREN       Sys "},
                                         NameCase{"nul_for_final_space", std::string("ZOREN       Sys\0", 16)}),
                         d88test::CaseName());

TEST(Cut, DiskAWithoutTheFilesSectorsIsOnlyAnnounced) {
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::bootDisk(d88test::kSystemName).build());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kRecognised);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"image.d88"});
}

TEST(Cut, UnreadableBootSectorAfterDiskAIsNotDiskA) {
    // The last bytes read before the next boot sector are ED's first sector; here they carry
    // the system name, so a boot read that fills nothing must not count them.
    d88test::DiskBuilder diskA = d88test::diskA();
    Bytes& edStart = diskA.sector(74, 11).data;
    std::copy(d88test::kSystemName.begin(), d88test::kSystemName.end(), edStart.begin() + 2);
    const Bytes noBootTrack = d88test::DiskBuilder().addStandardTrack(1).build();
    d88test::DiskBuilder shortBoot = d88test::bootDisk(d88test::kSystemName);
    shortBoot.sector(0, 0).data.resize(17);
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::concat({diskA.build(), noBootTrack, shortBoot.build()}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut);
}

TEST(Cut, RunStoppingEarlyIsPaddedWithZerosNotEarlierBytes) {
    // The first disk fills the buffer with OP; the second lacks track 9, so its OP stops short.
    const Bytes full = d88test::diskA().build();
    const Bytes lacking = d88test::diskA().removeTrack(9).build();
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::concat({full, lacking}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut + kAllCut);
    EXPECT_EQ(result.err, "d88cut: warning: OP is incomplete: 32768 of 34816 bytes read\n");
    Bytes op = d88test::standardRun(1, 1, 32768);
    op.resize(34816, 0);
    EXPECT_EQ(d88test::readFile(dir.file("OP")), op);
}

TEST(Cut, ImageCutShortInsideSectorData) {
    // Track t of a complete disk A starts at 0x2B0 + t * 16 * (16 + 256); cut 100 bytes into
    // the data of track 76 sector 3, the 24th sector of ED.
    const std::size_t cutAt = 0x2B0 + 76 * 16 * 272 + 2 * 272 + 16 + 100;
    TempDir dir;
    const RunResult result = cutIn(dir, d88test::truncated(d88test::diskA().build(), cutAt));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(result.err, "d88cut: warning: ED is incomplete: 5888 of 16128 bytes read\n");
    Bytes ed = d88test::standardRun(74, 12, 5888);
    const Bytes partial = d88test::sectorPattern(76, 3);
    ed.insert(ed.end(), partial.begin(), partial.begin() + 100);
    ed.resize(16128, 0);
    EXPECT_EQ(d88test::readFile(dir.file("ED")), ed);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(d88test::readFile(dir.file(kFiles[i].name)), expectedFile(kFiles[i]));
}

TEST(CutFailure, NameTakenByADirectory) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("OP"));
    const RunResult result = cutIn(dir, d88test::diskA().build());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(result.err, "d88cut: cannot write OP: Is a directory\n");
    EXPECT_EQ(dir.entries(), kAllEntries);  // no temporary file left behind
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("OP")));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(d88test::readFile(dir.file(kFiles[i].name)), expectedFile(kFiles[i]));
}

TEST(CutFailure, DiskFullKeepsOlderFiles) {
    TempDir dir;
    const Bytes oldOp(100, 0x01);
    d88test::writeFile(dir.file("OP"), oldOp);
    d88test::RunOptions options;
    options.fileSizeLimit = 10000;  // room for MAIN and SUB, not for OP and ED
    const RunResult result = cutIn(dir, d88test::diskA().build(), options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(result.err, "d88cut: cannot write OP: File too large\nd88cut: cannot write ED: File too large\n");
    EXPECT_EQ(d88test::readFile(dir.file("OP")), oldOp);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"MAIN", "OP", "SUB", "image.d88"}));
    EXPECT_EQ(d88test::readFile(dir.file("MAIN")), expectedFile(kFiles[1]));
    EXPECT_EQ(d88test::readFile(dir.file("SUB")), expectedFile(kFiles[2]));
}

// Permission faults: the child runs as an ordinary user in a directory it may only read.
class PermissionFault : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
        image = dir.image(d88test::diskA().build());
        d88test::writeFile(dir.file("OP"), oldOp);
        options.workDir = dir.path();
        options.unprivileged = true;
    }

    RunResult run() { return d88test::runProgram(D88CUT_PATH, {"d88cut", image}, options); }

    void expectOnlyTheOldFile() {
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"OP", "image.d88"}));
        EXPECT_EQ(d88test::readFile(dir.file("OP")), oldOp);
    }

    TempDir dir;
    std::string image;
    const Bytes oldOp = Bytes(10, 0x02);
    d88test::RunOptions options;
};

TEST_F(PermissionFault, UnreadableImage) {
    std::filesystem::permissions(image, std::filesystem::perms::none);
    const RunResult result = run();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, kCannotOpenMessage);
    expectOnlyTheOldFile();
}

TEST_F(PermissionFault, UnwritableDirectory) {
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0555));
    const RunResult result = run();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kAllCut);
    EXPECT_EQ(result.err,
              "d88cut: cannot write OP: Permission denied\nd88cut: cannot write MAIN: Permission denied\n"
              "d88cut: cannot write SUB: Permission denied\nd88cut: cannot write ED: Permission denied\n");
    expectOnlyTheOldFile();
}

}  // namespace
