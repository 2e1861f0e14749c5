// What every file the launcher keeps (brx.cfg, and the stores that live beside it) shares:
// where it lives, an atomic save, and a damaged file moved aside. QtCore alone: no windows,
// no messages; callers say what they found to the user.
#pragma once

#include <QByteArray>
#include <QString>

namespace brx {

struct StoreLocation {
    QString path; // in native form
    bool in_user_folder = false;
};

// Where the file of this name lives: beside the launcher when the file is there (a link of
// that name counts, even a broken one) or could be made there, and that folder is not the
// system's (under /usr or /opt, /bin, /sbin, or a folder owned by another user); otherwise in
// the user's settings folder, when there is one. Both folders are looked at afresh.
StoreLocation store_location(const QString &program_folder, const QString &user_folder,
                             const QString &file_name);

// Replaces the file at the location with the bytes as a whole, or leaves the old file as it
// was. Through a link it writes to the file the link names, and only to a plain file or where
// nothing is yet. The user's settings folder is made when it is missing. On failure, error
// (when given) says why.
bool atomic_save(const StoreLocation &location, const QByteArray &bytes, QString *error = nullptr);

// The file a path names, following links: the path itself when it is no link.
QString link_target(const QString &path);

// Moves a damaged file aside as "<name>.damaged" beside it, replacing an older one; a link is
// left in place and the file it names is moved. Returns whether it was moved.
bool set_aside(const QString &path);

} // namespace brx
