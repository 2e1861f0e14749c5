// startwatch: starts a program and measures, from outside it, how long it takes until its
// top-level window is mapped, and its peak memory.
//
//   startwatch [--title TITLE] [--size WxH] [--settle MS] [--timeout MS] [--] PROGRAM [ARGS...]
//
// It watches the root window of $DISPLAY for MapNotify (meant for a server with no window
// manager, where a top-level window is a child of the root), notes the monotonic clock, starts
// PROGRAM with fork + exec (no shell), and stops the clock at the first mapped top-level window
// that belongs to the child (_NET_WM_PID, where set) and has the given title and size. After
// letting the program settle it ends it with SIGTERM (SIGKILL if it lingers) and takes its peak
// resident set size from wait4(). Prints one line: "<milliseconds> <peak RSS in KiB>".
// Exits 1 when no such window was mapped in time, 2 on a usage or X error.

#include "xwatch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

using namespace xwatch;

namespace {

struct Options : xwatch::Wanted {
    int settle_ms = 300;
    int timeout_ms = 20000;
    char **command = nullptr;
};

[[noreturn]] void usage() {
    std::fputs("usage: startwatch [--title TITLE] [--size WxH] [--settle MS] [--timeout MS] "
               "[--] PROGRAM [ARGS...]\n",
               stderr);
    std::exit(2);
}

Options parse(int argc, char **argv) {
    Options options;
    options.command =
        read_options(argc, argv, [&](const std::string &option, const char *value, const auto &) {
            if (option == "--title")
                options.title = value;
            else if (option == "--size")
                return read_size(value, options);
            else if (option == "--settle")
                options.settle_ms = std::atoi(value);
            else if (option == "--timeout")
                options.timeout_ms = std::atoi(value);
            else
                return false;
            return true;
        });
    if (!options.command)
        usage();
    return options;
}

} // namespace

int main(int argc, char **argv) {
    const Options options = parse(argc, argv);

    Atom net_wm_pid = None;
    Display *display = watch_display("startwatch", net_wm_pid);
    if (!display)
        return 2;

    const int null_output = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const double started = now_ms();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startwatch: fork");
        return 2;
    }
    if (child == 0) {
        // Only the one result line goes to standard output; the child's own messages go to
        // standard error as usual.
        if (null_output >= 0)
            dup2(null_output, STDOUT_FILENO);
        execvp(options.command[0], options.command);
        _exit(127);
    }

    bool ended = false;
    const std::optional<double> mapped =
        wait_for_window(display, child, net_wm_pid, options, started + options.timeout_ms, &ended);
    if (mapped)
        settle(display, child, net_wm_pid, options, options.settle_ms);
    bool ended_by_itself = false;
    const long peak_kib = end_child(child, &ended_by_itself);
    XCloseDisplay(display);

    if (!mapped) {
        std::fprintf(stderr, "startwatch: %s %s\n", options.command[0],
                     ended ? "ended before mapping its window"
                           : "mapped no matching window in time");
        return 1;
    }
    if (ended_by_itself)
        std::fprintf(stderr, "startwatch: %s ended by itself while settling\n", options.command[0]);
    std::printf("%.1f %ld\n", *mapped - started, peak_kib);
    return 0;
}
