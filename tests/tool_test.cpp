// d88cut run as a child process: its command line, messages and exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/d88_builder.h"
#include "tests/test_support.h"

namespace {

using d88test::RunResult;
using d88test::TempDir;

const std::string kTool = D88CUT_PATH;
const std::string& kCannotOpen = d88test::kCannotOpenMessage;

RunResult cut(const TempDir& dir, const std::vector<std::string>& args) {
    d88test::RunOptions options;
    options.workDir = dir.path();
    return d88test::runProgram(kTool, args, options);
}

TEST(CommandLine, WrongArgumentCountPrintsUsage) {
    TempDir dir;
    const std::string image = dir.image(d88test::diskA().build());
    const std::vector<std::vector<std::string>> commandLines = {
        {"d88cut"},
        {"./my-cutter", image, image},
        {"/usr/bin/x", "a", "b", "c"},
    };
    for (const auto& args : commandLines) {
        const RunResult result = cut(dir, args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "Usage: " + args[0] + " [d88file]\n");
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"image.d88"});
    }
}

TEST(CommandLine, EmptyArgumentVectorNamesTheTool) {
    TempDir dir;
    d88test::RunOptions options;
    options.workDir = dir.path();
    options.emptyArgv = true;
    const RunResult result = d88test::runProgram(kTool, {}, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Usage: d88cut [d88file]\n");
}

TEST(CommandLine, UnopenableImagePrintsTheShiftJisMessage) {
    TempDir dir;
    for (const std::string& path : {dir.file("missing.d88"), dir.path()}) {
        const RunResult result = cut(dir, {"d88cut", path});
        EXPECT_EQ(result.exitCode, 1) << path;
        EXPECT_EQ(result.err, kCannotOpen) << path;
        EXPECT_EQ(result.out, "") << path;
    }
}

TEST(ImageWalk, ImagesWithoutDiskAExitQuietly) {
    TempDir dir;
    const std::vector<d88test::Bytes> images = {
        {},
        d88test::Bytes(687, 0xFF),
        d88test::bootDisk("SOMETHING ELSE  ").build(),
    };
    for (const auto& bytes : images) {
        const RunResult result = cut(dir, {"d88cut", dir.image(bytes)});
        EXPECT_EQ(result.exitCode, 0) << bytes.size();
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"image.d88"});
    }
}

}  // namespace
