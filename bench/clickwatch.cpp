// clickwatch: starts a program, waits until its main window is mapped and has settled, then
// writes one line to the program's standard input (the program's cue to open a window, as a
// click would) and measures, from outside it, how long until that window is mapped.
//
//   clickwatch --ready TITLE WxH --title TITLE --size WxH [--settle MS] [--timeout MS]
//              [--] PROGRAM [ARGS...]
//
// Meant for a server with no window manager, where a top-level window is a child of the root:
// it watches the root for MapNotify, as bench/startwatch does. A window counts when it belongs
// to the child (_NET_WM_PID, where set) and has the given title and size. Ends the program
// with SIGTERM (SIGKILL if it lingers). Prints one line: "<milliseconds>".
// Exits 1 when a window was not mapped in time, 2 on a usage or X error.

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

namespace {

using Options = xwatch::Wanted;
using namespace xwatch;

struct Setup {
    Options ready;
    Options wanted;
    int settle_ms = 500;
    int timeout_ms = 20000;
    char **command = nullptr;
};

[[noreturn]] void usage() {
    std::fputs("usage: clickwatch --ready TITLE WxH --title TITLE --size WxH [--settle MS] "
               "[--timeout MS] [--] PROGRAM [ARGS...]\n",
               stderr);
    std::exit(2);
}

Setup parse(int argc, char **argv) {
    Setup setup;
    setup.command = read_options(
        argc, argv, [&](const std::string &option, const char *value, const auto &next) {
            if (option == "--ready") {
                setup.ready.title = value;
                return read_size(next(), setup.ready);
            }
            if (option == "--title")
                setup.wanted.title = value;
            else if (option == "--size")
                return read_size(value, setup.wanted);
            else if (option == "--settle")
                setup.settle_ms = std::atoi(value);
            else if (option == "--timeout")
                setup.timeout_ms = std::atoi(value);
            else
                return false;
            return true;
        });
    if (!setup.command || !setup.ready.title || !setup.wanted.title)
        usage();
    return setup;
}

} // namespace

int main(int argc, char **argv) {
    const Setup setup = parse(argc, argv);

    Atom net_wm_pid = None;
    Display *display = watch_display("clickwatch", net_wm_pid);
    if (!display)
        return 2;

    int cue[2];
    if (pipe2(cue, O_CLOEXEC) != 0) {
        std::perror("clickwatch: pipe");
        return 2;
    }
    const int null_output = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("clickwatch: fork");
        return 2;
    }
    if (child == 0) {
        dup2(cue[0], STDIN_FILENO);
        if (null_output >= 0)
            dup2(null_output, STDOUT_FILENO);
        execvp(setup.command[0], setup.command);
        _exit(127);
    }
    close(cue[0]);
    signal(SIGPIPE, SIG_IGN);

    const char *failure = nullptr;
    std::optional<double> opened;
    if (!wait_for_window(display, child, net_wm_pid, setup.ready, now_ms() + setup.timeout_ms)) {
        failure = "mapped no main window";
    } else {
        // Lets the program finish its start-up before the cue.
        settle(display, child, net_wm_pid, setup.wanted, setup.settle_ms);
        const double asked = now_ms();
        if (write(cue[1], "\n", 1) != 1) {
            failure = "did not take the cue";
        } else if (const auto mapped = wait_for_window(display, child, net_wm_pid, setup.wanted,
                                                       asked + setup.timeout_ms)) {
            opened = *mapped - asked;
        } else {
            failure = "mapped no matching window after the cue";
        }
    }
    close(cue[1]);
    bool ended_by_itself = false;
    end_child(child, &ended_by_itself);
    XCloseDisplay(display);

    if (!opened) {
        std::fprintf(stderr, "clickwatch: %s %s\n", setup.command[0], failure);
        return 1;
    }
    std::printf("%.2f\n", *opened);
    return 0;
}
