// The start on POSIX systems. posix_spawn runs the argument vector's program (a bare name
// found on PATH, a path exactly as it stands) in a session of its own (no process group or terminal
// of the launcher's), with every signal at its default and none blocked, and reports a failed exec
// itself. Its output goes to the log file when one is asked for: a file, never a pipe, so that
// nothing of the launcher's needs to stay open for it. The program is the launcher's child; a
// thread that does nothing but wait for its end reaps it, so no zombie is left, and it runs on
// after the launcher ends.
#include "program_start.h"

#include "platform.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <chrono>
#include <system_error>
#include <thread>
#include <vector>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

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
    case E2BIG:
        return error_command_too_long;
    default:
        return error_file_access;
    }
}

QString qt(const std::u16string &text) {
    return QString::fromStdU16String(text);
}

// Keeps only the log's last part once it has grown past the cap. The program appends, so
// after the cut its output goes on at the new end.
void cap_log(int log) {
    struct stat status {};
    if (log < 0 || ::fstat(log, &status) != 0 || status.st_size <= log_cap)
        return;
    std::vector<char> end(64 * 1024);
    const ssize_t kept = ::pread(log, end.data(), end.size(), status.st_size - off_t(end.size()));
    if (::ftruncate(log, 0) == 0 && kept > 0) {
        static const char cut[] = "[...]\n";
        [[maybe_unused]] const ssize_t written = ::write(log, cut, sizeof cut - 1);
        [[maybe_unused]] const ssize_t again = ::write(log, end.data(), std::size_t(kept));
    }
}

// Waits for the program's end in the background, so that it leaves no zombie, keeps its log
// within the cap meanwhile, and tells how it ended. The log is closed at the end.
void reap(pid_t pid, int log, std::chrono::steady_clock::time_point started,
          std::function<void(const ProgramEnd &)> ended) {
    try {
        std::thread([pid, log, started, ended = std::move(ended)] {
            int status = 0;
            pid_t waited = 0;
            for (;;) {
                waited = ::waitpid(pid, &status, WNOHANG);
                if (waited != 0 && !(waited < 0 && errno == EINTR))
                    break;
                cap_log(log);
                // Often while an early end is still to be told, then seldom.
                const auto elapsed = std::chrono::steady_clock::now() - started;
                std::this_thread::sleep_for(elapsed < std::chrono::seconds(early_end_seconds + 1)
                                                ? std::chrono::milliseconds(20)
                                                : std::chrono::milliseconds(1000));
            }
            cap_log(log);
            if (log >= 0)
                ::close(log);
            if (waited != pid || !ended)
                return;
            ProgramEnd end;
            end.signalled = WIFSIGNALED(status);
            end.status = end.signalled ? WTERMSIG(status) : WEXITSTATUS(status);
            end.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            ended(end);
        }).detach();
    } catch (const std::system_error &) {
        // No thread to spare: the program runs all the same and stays a zombie when it ends.
        if (log >= 0)
            ::close(log);
    }
}

// The log, opened for the program alone (never for a program the launcher starts later):
// without blocking (a FIFO would wait for a reader), without following a link (a planted one
// would have another file emptied), and used only when it is a plain file of the user's. On
// failure, -1 and the reason.
int open_log(const std::u16string &log, std::u16string &problem) {
    const int file =
        ::open(QFile::encodeName(qt(log)).constData(),
               O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    if (file < 0) {
        // A FIFO without a reader, or a folder.
        problem = errno == ELOOP ? u"it is a symbolic link"
                  : errno == ENXIO || errno == EISDIR
                      ? u"it is not a plain file"
                      : QString::fromLocal8Bit(std::strerror(errno)).toStdU16String();
        return -1;
    }
    struct stat status {};
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode))
        problem = u"it is not a plain file";
    else if (status.st_uid != ::geteuid())
        problem = u"it belongs to another user";
    else if (::ftruncate(file, 0) != 0 || ::fcntl(file, F_SETFL, O_APPEND) != 0)
        problem = QString::fromLocal8Bit(std::strerror(errno)).toStdU16String();
    else
        return file;
    ::close(file);
    return -1;
}

} // namespace

int start_program(const ProgramCall &call, const StartOptions &options) {
    for (const std::u16string &argument : call.arguments) {
        if (argument.find(u'\0') != std::u16string::npos)
            return error_nul_in_command;
    }
    const QString named = call.arguments.empty() ? QString() : qt(call.arguments.front());
    // A path is run exactly as it stands; a bare name is looked up on PATH, as execvp would.
    const QString found = named.contains(u'/') ? named : QStandardPaths::findExecutable(named);
    const QFileInfo file(found);
    if (named.isEmpty() || !file.isFile() || !file.isExecutable())
        return error_file_not_found;

    const QByteArray program = QFile::encodeName(found);
    std::vector<QByteArray> encoded;
    for (const std::u16string &argument : call.arguments)
        encoded.push_back(QFile::encodeName(qt(argument)));
    std::vector<char *> arguments;
    for (QByteArray &argument : encoded)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (const int error = ::posix_spawnattr_init(&attributes))
        return error_number(error);
    sigset_t all_signals;
    sigset_t no_signals;
    sigfillset(&all_signals);
    sigemptyset(&no_signals);
    ::posix_spawnattr_setsigdefault(&attributes, &all_signals);
    ::posix_spawnattr_setsigmask(&attributes, &no_signals);
    ::posix_spawnattr_setflags(&attributes,
                               POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawn_file_actions_t files;
    if (const int error = ::posix_spawn_file_actions_init(&files)) {
        ::posix_spawnattr_destroy(&attributes);
        return error_number(error);
    }
    int log = -1;
    if (!options.log.empty()) {
        std::u16string problem;
        log = open_log(options.log, problem);
        if (log < 0) {
            if (options.log_problem)
                *options.log_problem = problem;
            ::posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
            ::posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
        }
    }
    if (log >= 0) {
        ::posix_spawn_file_actions_adddup2(&files, log, STDOUT_FILENO);
        ::posix_spawn_file_actions_adddup2(&files, log, STDERR_FILENO);
    }
    pid_t pid = 0;
    const auto started = std::chrono::steady_clock::now();
    const int error =
        ::posix_spawn(&pid, program.constData(), &files, &attributes, arguments.data(), environ);
    ::posix_spawn_file_actions_destroy(&files);
    ::posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        if (log >= 0)
            ::close(log);
        return error_number(error);
    }
    reap(pid, log, started, options.ended);
    return 0;
}

} // namespace brx
