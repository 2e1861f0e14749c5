// What bench/startwatch and bench/clickwatch share: watching the root window of a server with
// no window manager for the mapping of a window that belongs to a child and has a given title
// and size, and ending that child. Xlib only: the programs measured must not share our Qt.
#pragma once

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

namespace xwatch {

// The window looked for: its title (any when null) and size (any when 0).
struct Wanted {
    const char *title = nullptr;
    int width = 0;
    int height = 0;
};

inline double now_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The mapped window may already be gone when it is looked at; that only means it is not ours.
inline int ignore_x_error(Display *, XErrorEvent *) {
    return 0;
}

inline std::optional<unsigned long> window_pid(Display *display, Window window, Atom net_wm_pid) {
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

inline bool is_wanted(Display *display, Window window, pid_t child, Atom net_wm_pid,
                      const Wanted &options) {
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
inline std::optional<double> take_events(Display *display, pid_t child, Atom net_wm_pid,
                                         const Wanted &options) {
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

inline void wait_for_input(Display *display, double until) {
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    // Wakes now and then to notice a child that has ended.
    const int wait = static_cast<int>(until - now_ms());
    poll(&fd, 1, wait < 0 ? 0 : (wait > 50 ? 50 : wait));
}

// Ends the child (if still running) and returns its peak resident set size in KiB.
inline long end_child(pid_t child, bool *ended_by_itself) {
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

// Opens the display and watches its root for windows being mapped, before any child can map
// one; the mapped window's process is read from _NET_WM_PID. Nothing when there is no display.
inline Display *watch_display(const char *program, Atom &net_wm_pid) {
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: cannot open the display (is DISPLAY set?)\n", program);
        return nullptr;
    }
    XSetErrorHandler(ignore_x_error);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    return display;
}

// Waits until the child maps the window wanted; nothing when it ends first (`ended` is then
// set, the child left unreaped so that end_child() still gets its resource usage) or the time
// is up.
inline std::optional<double> wait_for_window(Display *display, pid_t child, Atom net_wm_pid,
                                             const Wanted &wanted, double deadline,
                                             bool *ended = nullptr) {
    while (now_ms() < deadline) {
        if (const auto mapped = take_events(display, child, net_wm_pid, wanted))
            return mapped;
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == child) {
            if (ended)
                *ended = true;
            return std::nullopt;
        }
        wait_for_input(display, deadline);
    }
    return std::nullopt;
}

// Lets the program finish what it does after mapping its window.
inline void settle(Display *display, pid_t child, Atom net_wm_pid, const Wanted &wanted, int ms) {
    const double settled = now_ms() + ms;
    while (now_ms() < settled) {
        take_events(display, child, net_wm_pid, wanted);
        wait_for_input(display, settled);
    }
}

// Reads "--OPTION VALUE" pairs up to "--" or the first other word, and returns the command that
// follows (null when there is none). `take` is given each option and its value, and says
// whether it knew the option; it may take more words from `next`. An unknown option, or one
// without its value, is an error (null).
template <typename Take> char **read_options(int argc, char **argv, Take take) {
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string option = argv[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            return nullptr;
        const char *value = argv[++i];
        const auto next = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        if (!take(option, value, next))
            return nullptr;
    }
    return i < argc ? argv + i : nullptr;
}

// "WxH"
inline bool read_size(const char *value, Wanted &wanted) {
    return value && std::sscanf(value, "%dx%d", &wanted.width, &wanted.height) == 2;
}

} // namespace xwatch
