// The tool's output: progress on standard output, errors and warnings on standard error.
#pragma once

namespace d88cut {

// Formatted like printf. Standard output is flushed first, so a combined log reads in order.
[[gnu::format(printf, 1, 2)]] void printError(const char* format, ...);

}  // namespace d88cut
