// Runs a command with its output discarded and prints its peak resident memory in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: %s COMMAND [ARG...]\n", argc > 0 ? argv[0] : "peak_rss");
        return 2;
    }
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, 1);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return 2;
    std::printf("%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
