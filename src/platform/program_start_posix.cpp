// The start on POSIX systems. The command line is split as a Windows start would split it,
// then the program is run by a double start: a middle process opens a session of its own,
// starts the program and ends at once. So the program belongs to no process group or terminal
// of the launcher's, is never the launcher's child (nothing to reap, no zombie), and runs on
// after the launcher ends. Whether the exec worked comes back through a pipe that closes on
// exec.
//
// On Linux both processes are made with clone(CLONE_VM | CLONE_VFORK), as posix_spawn does:
// they share the launcher's memory until the exec instead of copying its page tables, which
// on a virtual machine saves milliseconds per start. Elsewhere they are forked.
#include "program_start.h"

#include "command_split.h"
#include "platform.h"

#include <QByteArray>
#include <QFile>
#include <memory>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brx {

namespace {

int error_number(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return error_file_not_found;
    case EACCES:
    case EPERM:
        return error_permission_denied;
    case ENOMEM:
    case EAGAIN:
        return error_out_of_memory;
    default:
        return error_file_access;
    }
}

bool open_channel(int channel[2]) {
#ifdef __linux__
    return ::pipe2(channel, O_CLOEXEC) == 0;
#else
    if (::pipe(channel) != 0)
        return false;
    ::fcntl(channel[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(channel[1], F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

// Everything the two new processes need, made before they exist: from their start to the
// exec they make only system calls that are safe there, and allocate nothing.
struct Start {
    const char *program = nullptr;
    char *const *arguments = nullptr;
    sigset_t no_signals;
    int channel = -1; // the pipe's end for reporting an error number
    char *stack = nullptr;
    std::size_t stack_size = 0;
};

constexpr std::size_t stack_size = 64 * 1024;

// Runs `run` in a new process. On Linux it shares this memory and this one waits until the
// new process has called exec or ended; `stack` is its stack (the highest address).
pid_t spawn(int (*run)(void *), Start &start, char *stack) {
#ifdef __linux__
    return ::clone(run, stack, CLONE_VM | CLONE_VFORK | SIGCHLD, &start);
#else
    (void)stack;
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(run(&start));
    return pid;
#endif
}

[[noreturn]] void report_and_exit(const Start &start, int error) {
    const ssize_t written = ::write(start.channel, &error, sizeof error);
    (void)written;
    ::_exit(127);
}

int run_program(void *data) {
    const Start &start = *static_cast<Start *>(data);
    // Handlers of the launcher's must not run here, and dispositions it set to "ignore"
    // would be inherited through exec; signals are blocked until they are all defaults.
    struct sigaction default_action = {};
    default_action.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        if (signal != SIGKILL && signal != SIGSTOP)
            ::sigaction(signal, &default_action, nullptr);
    }
    ::sigprocmask(SIG_SETMASK, &start.no_signals, nullptr);
    ::execv(start.program, start.arguments);
    report_and_exit(start, errno);
}

int run_middle(void *data) {
    Start &start = *static_cast<Start *>(data);
    ::setsid();
    if (spawn(run_program, start, start.stack + 2 * start.stack_size) < 0)
        report_and_exit(start, errno);
    ::_exit(0);
}

} // namespace

int start_program(const QString &command_line) {
    const SplitCommand split = split_command(command_line, system_paths());
    if (split.program.isEmpty())
        return error_file_not_found;

    const QByteArray program = QFile::encodeName(split.program);
    std::vector<QByteArray> encoded;
    encoded.reserve(std::size_t(split.arguments.size()));
    std::vector<char *> arguments;
    arguments.reserve(std::size_t(split.arguments.size()) + 1);
    for (const QString &argument : split.arguments) {
        encoded.push_back(QFile::encodeName(argument));
        arguments.push_back(encoded.back().data());
    }
    arguments.push_back(nullptr);

    int channel[2];
    if (!open_channel(channel))
        return error_number(errno);

    // Stacks for the two processes, one after the other; each grows down from its end.
    const std::unique_ptr<char[]> stacks(new char[2 * stack_size]);
    Start start;
    start.program = program.constData();
    start.arguments = arguments.data();
    sigemptyset(&start.no_signals);
    start.channel = channel[1];
    start.stack = stacks.get();
    start.stack_size = stack_size;

    sigset_t all_signals;
    sigset_t old_signals;
    sigfillset(&all_signals);
    ::pthread_sigmask(SIG_SETMASK, &all_signals, &old_signals);
    const pid_t middle = spawn(run_middle, start, start.stack + stack_size);
    const int spawn_error = errno;
    ::pthread_sigmask(SIG_SETMASK, &old_signals, nullptr);

    ::close(channel[1]);
    if (middle < 0) {
        ::close(channel[0]);
        return error_number(spawn_error);
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }

    // Nothing arrives when the exec worked: the pipe closed on it.
    int error = 0;
    std::size_t received = 0;
    while (received < sizeof error) {
        const ssize_t count = ::read(channel[0], reinterpret_cast<char *>(&error) + received,
                                     sizeof error - received);
        if (count > 0)
            received += std::size_t(count);
        else if (count == 0 || errno != EINTR)
            break;
    }
    ::close(channel[0]);
    return received == sizeof error ? error_number(error) : 0;
}

} // namespace brx
