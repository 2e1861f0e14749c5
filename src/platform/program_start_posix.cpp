// The start on POSIX systems. The command line is split as a Windows start would split it,
// then posix_spawn runs the program in a session of its own (no process group or terminal of
// the launcher's), with every signal at its default and none blocked, and reports a failed
// exec itself. The program is the launcher's child; a thread that does nothing but wait for
// its end reaps it, so no zombie is left, and it runs on after the launcher ends.
#include "program_start.h"

#include "platform.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <system_error>
#include <thread>
#include <vector>

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace brx {

static_assert(error_program_not_found == error_file_not_found);

namespace {

int error_number(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return error_program_not_found;
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

QString qt(const std::u16string &text) {
    return QString::fromStdU16String(text);
}

// Waits for the program's end in the background, so that it leaves no zombie.
void reap(pid_t pid) {
    try {
        std::thread([pid] {
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error &) {
        // No thread to spare: the program runs all the same and stays a zombie when it ends.
    }
}

} // namespace

PathLookup system_paths() {
    PathLookup lookup;
    lookup.separators.push_back(u'/');
    lookup.kind = [](const std::u16string &path) {
        const QFileInfo info(qt(path));
        if (path.empty() || !info.exists())
            return PathKind::none;
        return info.isDir() ? PathKind::folder : PathKind::file;
    };
    lookup.program = [](const std::u16string &candidate) -> std::u16string {
        if (candidate.empty())
            return {};
        if (candidate.find(u'/') == std::u16string::npos)
            return QStandardPaths::findExecutable(qt(candidate)).toStdU16String();
        const QFileInfo info(qt(candidate));
        return info.isFile() && info.isExecutable() ? candidate : std::u16string();
    };
    return lookup;
}

int start_program(std::u16string_view command_line) {
    const SplitCommand split = split_command(command_line, system_paths());
    if (split.program.empty())
        return error_program_not_found;

    const QByteArray program = QFile::encodeName(qt(split.program));
    std::vector<QByteArray> encoded;
    for (const std::u16string &argument : split.arguments)
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
    pid_t pid = 0;
    const int error =
        ::posix_spawn(&pid, program.constData(), nullptr, &attributes, arguments.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return error_number(error);
    reap(pid);
    return 0;
}

} // namespace brx
