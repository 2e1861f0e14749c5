#include "store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brx {

namespace {

// The renamed file's folder is synced too, so that a power cut cannot lose the new name. The
// file is in place by then: a folder that cannot be synced does not fail the save. Windows
// needs nothing of the kind.
// The new file's bytes are on the disk before the rename: some file systems report a full disk
// or a failing device only here, and Qt's commit does not look at the outcome of its own sync.
// Returns why it failed, or an empty text.
QString sync_file(int fd) {
#ifdef Q_OS_UNIX
    if (::fsync(fd) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#else
    Q_UNUSED(fd);
#endif
    return {};
}

void sync_folder(const QString &folder) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

// Whether a new file could be made in the folder. On Windows only trying tells: the folder's
// attributes say nothing of who may write there.
bool writable_folder(const QString &folder) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
#else
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("brx-XXXXXX.tmp")));
    return probe.open();
#endif
}

// A folder the system's packages own, or another user's: a launcher installed there is shared,
// and the settings of whoever runs it first must not become everyone's.
bool system_folder(const QString &folder) {
#ifdef Q_OS_UNIX
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    for (const char *top : {"/usr", "/opt"}) {
        const QString name = QString::fromLatin1(top);
        if (path == name || path.startsWith(name + u'/'))
            return true;
    }
    if (path == u"/bin" || path == u"/sbin")
        return true;
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           status.st_uid != ::geteuid();
#else
    Q_UNUSED(folder);
    return false;
#endif
}

} // namespace

StoreLocation store_location(const QString &program_folder, const QString &user_folder,
                             const QString &file_name) {
    const QString beside = QDir(program_folder).filePath(file_name);
    const QFileInfo info(beside);
    if (user_folder.isEmpty() ||
        ((info.exists() || info.isSymLink() || writable_folder(program_folder)) &&
         !system_folder(program_folder)))
        return {QDir::toNativeSeparators(beside), false};
    return {QDir::toNativeSeparators(QDir(user_folder).filePath(file_name)), true};
}

QString link_target(const QString &path) {
    QString target = path;
    for (int links = 0; links < 40 && QFileInfo(target).isSymLink(); ++links)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

bool atomic_save(const StoreLocation &location, const QByteArray &bytes, QString *error) {
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // The user's settings folder is made on the first save; the program folder never is.
    if (location.in_user_folder) {
        const QString folder = QFileInfo(location.path).absolutePath();
        if (!QDir().mkpath(folder))
            return fail(QStringLiteral("The folder %1 cannot be created.")
                            .arg(QDir::toNativeSeparators(folder)));
    }
    // Through links to the file they name, which must be a plain file or not there yet: a
    // device, a pipe or a folder is never replaced.
    const QString target = link_target(location.path);
    if (QFileInfo(target).isSymLink())
        return fail(QStringLiteral("Too many levels of symbolic links"));
    const QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return fail(
            QStringLiteral("%1 is not a plain file.").arg(QDir::toNativeSeparators(target)));

    // Written beside the old file and renamed over it: a crash, a kill or a full disk leaves
    // either the old file or the new one. Every byte must reach the file before the rename,
    // and Qt's commit can report success after its own flush failed: so the file is unbuffered
    // and every write checked. A write that stops short is no error to Qt, so the rest is
    // written again, and that write names the reason (a full disk, a size limit).
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 wrote = file.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0)
            return fail(file.errorString());
        done += wrote;
    }
    if (!file.flush())
        return fail(file.errorString());
    if (const QString why = sync_file(file.handle()); !why.isEmpty())
        return fail(why);
    if (!file.commit())
        return fail(file.errorString());
    sync_folder(info.absolutePath());
    return true;
}

bool set_aside(const QString &path) {
    const QString target = link_target(path);
    const QString aside = target + QStringLiteral(".damaged");
#ifdef Q_OS_UNIX
    // One step that replaces an older file of that name; a folder of that name stays.
    return ::rename(QFile::encodeName(target).constData(), QFile::encodeName(aside).constData()) ==
           0;
#else
    // QFile::rename never replaces a file: the older one goes first.
    if (QFileInfo(aside).isFile())
        QFile::remove(aside);
    return QFile::rename(target, aside);
#endif
}

} // namespace brx
