#include "file_head.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brx {

// Not blocking: opening a FIFO that took a file's place since it was listed returns at once.
QByteArray file_head(const QString &path, qint64 size) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(size);
        qint64 got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(size - got));
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
    }
    ::close(fd);
    return bytes;
}

} // namespace brx
