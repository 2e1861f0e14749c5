// The engine's output from the last game start, kept in a file of its own, and what of it a
// message can show when the engine stopped at once.
#pragma once

#include <QString>

namespace brx {

// The log's path in the state folder.
QString game_log_path(const QString &state_folder);

// The last lines of the log, at most `lines` of them, each at most `width` characters with
// "[...]" where it was cut, control and bidirectional characters written as "\u202E"; only
// the end of the file is read, however large it is. Empty when the file holds nothing or
// cannot be read.
QString log_tail(const QString &path, int lines = 20, int width = 160);

// What the user is told when the engine ended within its first seconds: the log's last lines,
// or why no log could be written.
QString early_end_message(const QString &engine, const QString &how, const QString &log,
                          const QString &log_problem);

} // namespace brx
