// Scratch directories and child-process runs for the end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/d88_builder.h"

namespace d88test {

// The tool's two Shift_JIS messages, byte for byte.
inline const std::string kCannotOpenMessage =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\n";
inline const std::string kRecognisedMessage =
    "\x44\x49\x53\x4B\x20\x41\x82\xF0\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x2E\n";

// Names each case of a parameterized test by the `name` field of its parameter.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& tested) const {
        return tested.param.name;
    }
};

// A fresh directory, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    // Writes an image under this directory and answers its path.
    std::string image(const Bytes& bytes, const std::string& name = "image.d88") const;
    // Names of the entries in the directory, sorted.
    std::vector<std::string> entries() const;

private:
    std::string root;
};

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct RunOptions {
    std::string workDir = ".";
    std::optional<long> fileSizeLimit;  // RLIMIT_FSIZE in bytes, with SIGXFSZ ignored
    bool emptyArgv = false;             // run with not even the program's name
    bool unprivileged = false;          // when run as root, run the child as nobody
};

// Runs program with args (argv[0] is args[0]) and collects its outputs and exit code.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const RunOptions& options = {});

}  // namespace d88test
