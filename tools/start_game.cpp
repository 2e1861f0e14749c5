// start_game ENGINE IWAD WIDTH HEIGHT RATE KIND REQUEST [LOG]: starts the engine as the launcher
// does, from these settings, the IWAD's kind ("doom", "doom2", else unknown) and a request written
// as the tests write it ("host; mode=2; playernum=2"), and prints its command line and the started
// engine's process id, each after "start_game: ". The engine inherits this tool's output. Exits 3
// with the message when the family refuses the game, 2 when the start fails.
#include "command_line.h"
#include "program_start.h"
#include "requests.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <unistd.h>

using namespace brx;

namespace {

// The child of this process, found by its parent's id in /proc; 0 when there is none.
long child_pid() {
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool number = false;
        const long pid = entry.toLong(&number);
        if (!number)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, the last ')' ends it.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (after.size() > 1 && after[1].toLong() == ::getpid())
            return pid;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 8 && args.size() != 9) {
        std::fprintf(stderr,
                     "usage: start_game ENGINE IWAD WIDTH HEIGHT RATE KIND REQUEST [LOG]\n");
        return 1;
    }
    const Settings settings{args[1], args[2], args[3], args[4], args[5], 2, 0};
    const WadKind kind = args[6] == u"doom"    ? WadKind::doom
                         : args[6] == u"doom2" ? WadKind::doom2
                                               : WadKind::unknown;
    const EngineCommand command = engine_command(settings, request(args[7]), kind);
    if (!command.refusal.isEmpty()) {
        std::printf("%s\n", qPrintable(command.refusal));
        return 3;
    }
    std::printf("start_game: %s\n", qPrintable(command.command_line));
    std::fflush(stdout);
    StartOptions options;
    if (args.size() == 9)
        options.log = args[8].toStdU16String();
    if (start_program(program_call(command.arguments, command.command_line), options) != 0)
        return 2;
    std::printf("start_game: pid %ld\n", child_pid());
    std::fflush(stdout);
    return 0;
}
