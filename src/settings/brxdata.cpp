#include "brxdata.h"

#include "forms.h"
#include "platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace brx::BRXdata {

namespace {

// The renamed file's folder is synced too, so that a power cut cannot lose the new name. The
// record is in place by then: a folder that cannot be synced does not fail the save. Windows
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

struct Location {
    QString path;
    bool in_user_folder = false;
};

// Beside the launcher when brx.cfg is there (a link of that name counts, even a broken one) or
// could be made there; otherwise in the user's settings folder, when the platform has one.
Location locate(const Platform &platform) {
    const QString folder = platform.program_folder(), user = platform.user_config_folder();
    const QString beside = QDir(folder).filePath(QStringLiteral("brx.cfg"));
    const QFileInfo info(beside);
    if (user.isEmpty() || info.exists() || info.isSymLink() || writable_folder(folder))
        return {QDir::toNativeSeparators(beside), false};
    return {QDir::toNativeSeparators(QDir(user).filePath(QStringLiteral("brx.cfg"))), true};
}

} // namespace

QString settings_path(const Platform &platform) {
    return locate(platform).path;
}

bool load_settings(Forms &forms, qint16 silent, Settings &settings) {
    Platform &platform = forms.platform();
    const QString path = settings_path(platform);

    // Only a plain file counts: a folder of that name is no settings file, nor on Windows a
    // file with the hidden attribute (elsewhere "brx.cfg" cannot be a hidden name).
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    const bool hidden = info.isHidden();
#else
    const bool hidden = false;
#endif
    if (!info.isFile() || hidden) {
        settings.doom_exe.clear();
        settings.doom_iwad.clear();
        if (silent == 0) {
            platform.message_box(
                QStringLiteral("BRX needs to be configured...\n\rPlease note: this will "
                               "only need to be done once"),
                QStringLiteral("BRX needs to be configured..."));
            forms.show_modal(FormId::doom_setup);
        }
        return false;
    }

    // A file that cannot be opened or read is left alone, and so are the values.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const int read = read_record(file, settings);
    file.close();
    if (read == record_values || read < 0)
        return read == record_values;

    platform.message_box(QStringLiteral("Config file corrupt"), QStringLiteral("Error!"));
    // When the file cannot be deleted, the load goes on as if it had been.
    QFile::remove(path);
    settings.doom_iwad.clear();
    return false;
}

bool save_settings(const Platform &platform, const Settings &settings, QString *error) {
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    for (const QString *value : {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                                 &settings.vid_height, &settings.snd_rate}) {
        if (const QString why = unstorable(*value); !why.isEmpty())
            return fail(why);
    }
    // Through links to the file they name, which must be a plain file or not there yet: a
    // device, a pipe or a folder is never replaced.
    const Location location = locate(platform);
    // The user's settings folder is made on the first save; the program folder never is.
    if (location.in_user_folder) {
        const QString folder = QFileInfo(location.path).absolutePath();
        if (!QDir().mkpath(folder))
            return fail(QStringLiteral("The folder %1 cannot be created.")
                            .arg(QDir::toNativeSeparators(folder)));
    }
    QString target = location.path;
    for (int links = 0; QFileInfo(target).isSymLink(); ++links) {
        if (links == 40)
            return fail(QStringLiteral("Too many levels of symbolic links"));
        target = QFileInfo(target).symLinkTarget();
    }
    const QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return fail(
            QStringLiteral("%1 is not a plain file.").arg(QDir::toNativeSeparators(target)));

    // Written beside the old file and renamed over it: a crash, a kill or a full disk leaves
    // either the old record or the new one. Every byte must reach the file before the rename,
    // and Qt's commit can report success after its own flush failed: so the file is unbuffered
    // and every write checked. A write that stops short is no error to Qt, so the rest is
    // written again, and that write names the reason (a full disk, a size limit).
    QSaveFile file(target);
    const QByteArray record = write_record(settings);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    for (qsizetype done = 0; done < record.size();) {
        const qint64 wrote = file.write(record.constData() + done, record.size() - done);
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

} // namespace brx::BRXdata
