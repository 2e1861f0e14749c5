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

#include <X11/Xatom.h>
#include <X11/Xlib.h>

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

struct Options {
    const char *title = nullptr;
    int width = 0; // 0: any size
    int height = 0;
    int settle_ms = 300;
    int timeout_ms = 20000;
    char **command = nullptr;
};

double now_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

[[noreturn]] void usage() {
    std::fputs("usage: startwatch [--title TITLE] [--size WxH] [--settle MS] [--timeout MS] "
               "[--] PROGRAM [ARGS...]\n",
               stderr);
    std::exit(2);
}

Options parse(int argc, char **argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string option = argv[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            usage();
        const char *value = argv[++i];
        if (option == "--title")
            options.title = value;
        else if (option == "--size") {
            if (std::sscanf(value, "%dx%d", &options.width, &options.height) != 2)
                usage();
        } else if (option == "--settle")
            options.settle_ms = std::atoi(value);
        else if (option == "--timeout")
            options.timeout_ms = std::atoi(value);
        else
            usage();
    }
    if (i >= argc)
        usage();
    options.command = argv + i;
    return options;
}

// The mapped window may already be gone when it is looked at; that only means it is not ours.
int ignore_x_error(Display *, XErrorEvent *) {
    return 0;
}

std::optional<unsigned long> window_pid(Display *display, Window window, Atom net_wm_pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    std::optional<unsigned long> pid;
    if (XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 1) {
        // Xlib hands 32-bit properties back as longs.
        pid = *reinterpret_cast<unsigned long *>(data);
    }
    if (data)
        XFree(data);
    return pid;
}

bool is_wanted(Display *display, Window window, pid_t child, Atom net_wm_pid,
               const Options &options) {
    if (const auto pid = window_pid(display, window, net_wm_pid);
        pid && *pid != static_cast<unsigned long>(child))
        return false;
    if (options.title) {
        char *name = nullptr;
        const bool same =
            XFetchName(display, window, &name) && name && std::strcmp(name, options.title) == 0;
        if (name)
            XFree(name);
        if (!same)
            return false;
    }
    if (options.width > 0) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, window, &attributes) ||
            attributes.width != options.width || attributes.height != options.height)
            return false;
    }
    return true;
}

// Drains the events already received; returns the time the wanted window was seen mapped.
std::optional<double> take_events(Display *display, pid_t child, Atom net_wm_pid,
                                  const Options &options) {
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        const double seen = now_ms();
        if (event.type == MapNotify && !event.xmap.override_redirect &&
            is_wanted(display, event.xmap.window, child, net_wm_pid, options))
            return seen;
    }
    return std::nullopt;
}

void wait_for_input(Display *display, double until) {
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    // Wakes now and then to notice a child that has ended.
    const int wait = static_cast<int>(until - now_ms());
    poll(&fd, 1, wait < 0 ? 0 : (wait > 50 ? 50 : wait));
}

// Ends the child (if still running) and returns its peak resident set size in KiB.
long end_child(pid_t child, bool *ended_by_itself) {
    int status = 0;
    rusage usage{};
    *ended_by_itself = wait4(child, &status, WNOHANG, &usage) == child;
    if (*ended_by_itself)
        return usage.ru_maxrss;
    kill(child, SIGTERM);
    for (int tries = 0; tries < 200; ++tries) {
        if (wait4(child, &status, WNOHANG, &usage) == child)
            return usage.ru_maxrss;
        usleep(10000);
    }
    kill(child, SIGKILL);
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv) {
    const Options options = parse(argc, argv);

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("startwatch: cannot open the display (is DISPLAY set?)\n", stderr);
        return 2;
    }
    XSetErrorHandler(ignore_x_error);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Atom net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False); // the server must be watching before the child can map anything

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

    std::optional<double> mapped;
    bool ended = false;
    const double deadline = started + options.timeout_ms;
    while (!mapped && now_ms() < deadline) {
        mapped = take_events(display, child, net_wm_pid, options);
        if (mapped)
            break;
        // Left unreaped, so that end_child() still gets its resource usage.
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == child) {
            ended = true;
            break;
        }
        wait_for_input(display, deadline);
    }

    if (mapped) {
        const double settled = now_ms() + options.settle_ms;
        while (now_ms() < settled) {
            take_events(display, child, net_wm_pid, options);
            wait_for_input(display, settled);
        }
    }
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
