#include "tool/messages.h"

#include <cstdarg>
#include <cstdio>

namespace d88cut {

void printError(const char* format, ...) {
    std::fflush(stdout);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}

}  // namespace d88cut
