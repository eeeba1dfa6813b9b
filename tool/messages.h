// The tool's output: progress on standard output, errors and warnings on standard error.
#pragma once

namespace d88cut {

// The name the program was invoked as, for its usage line. Started with no argument vector
// (which a kernel may turn into one empty name), there is none, and fallback stands in.
const char* programName(int argc, char** argv, const char* fallback);

// Formatted like printf. Standard output is flushed first, so a combined log reads in order.
[[gnu::format(printf, 1, 2)]] void printError(const char* format, ...);

}  // namespace d88cut
