// The stand-in engine of the launch benchmark: the first thing its main() does is read the
// monotonic clock. It writes that moment in nanoseconds and its argument count to the file
// named by BRX_BENCH_REPORT (under a temporary name first, so that a report is never read
// half-written), then ends.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char *report = std::getenv("BRX_BENCH_REPORT");
    if (!report)
        return 1;
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%lld %d\n",
                                     static_cast<long long>(now.tv_sec) * 1000000000LL +
                                         static_cast<long long>(now.tv_nsec),
                                     argc);
    char part[4096];
    std::snprintf(part, sizeof part, "%s.part", report);
    const int file = open(part, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return 1;
    const bool written = write(file, text, std::size_t(length)) == length;
    close(file);
    return written && std::rename(part, report) == 0 ? 0 : 1;
}
