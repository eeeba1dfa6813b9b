#include "tool/messages.h"

#include <cstdarg>
#include <cstdio>

namespace d88cut {

const char* programName(int argc, char** argv, const char* fallback) {
    const bool named = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0';
    return named ? argv[0] : fallback;
}

void printError(const char* format, ...) {
    std::fflush(stdout);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}

}  // namespace d88cut
