// The IWAD's kind from its lump directory: hand-made WADs, damaged and hostile ones, files
// that are no WADs at all, and a directory too long to read whole.
#include "helpers.h"
#include "wad_kind.h"
#include "wads.h"

#include <QBuffer>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace brx;

namespace {

// A WAD of empty lumps with these names, its directory right after the header.
QByteArray wad(const QByteArray &magic, const QList<QByteArray> &names) {
    return make_wad(magic, names);
}

// The WAD with the 32-bit value at `at` replaced.
QByteArray with(QByteArray bytes, int at, qint32 value) {
    qToLittleEndian<qint32>(value, bytes.data() + at);
    return bytes;
}

// A device as long as a terabyte, of zeros after a header that claims a huge directory; it
// counts the bytes read.
class HugeDevice : public QIODevice {
public:
    qint64 read_bytes = 0;
    HugeDevice() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    qint64 size() const override { return qint64(1) << 40; }

protected:
    qint64 readData(char *data, qint64 length) override {
        const QByteArray header = with(with("IWAD________", 4, 0x7fffffff), 8, 12);
        length = std::min(length, size() - pos());
        std::fill(data, data + length, '\0');
        for (qint64 i = pos(); i < std::min<qint64>(12, pos() + length); ++i)
            data[i - pos()] = header[i];
        read_bytes += length;
        return length;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
};

using Row = std::tuple<QByteArray, WadKind>;

} // namespace

class tst_wad_kind : public QObject {
    Q_OBJECT
private slots:
    void reader_data();
    void reader();
    void huge_directory();
    void files();
};

void tst_wad_kind::reader_data() {
    rows<Row>();
    const QByteArray doom = wad("IWAD", {"PLAYPAL", "E1M1", "THINGS"});
    const auto row = [](const char *name, const QByteArray &bytes, WadKind kind) {
        QTest::newRow(name) << Row{bytes, kind};
    };
    row("bytes after the NUL, lower case", wad("IWAD", {QByteArray("map01\0xy", 8)}),
        WadKind::doom2);
    row("longer names", wad("IWAD", {"E1M10", "MAP010", "XE1M1", "E1M1XXXX"}), WadKind::unknown);
    row("another magic", wad("ZWAD", {"E1M1"}), WadKind::unknown);
    row("directory past the end", doom.chopped(1), WadKind::unknown);
    row("negative count", with(doom, 4, -1), WadKind::unknown);
    row("offset past the end", with(doom, 8, 0x7ffffff0), WadKind::unknown);
}

void tst_wad_kind::reader() {
    auto [bytes, kind] = fetch<Row>();
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(wad_kind(buffer), kind);
}

// A count that fits a huge device is read only so far: the directory's first 64Ki entries.
void tst_wad_kind::huge_directory() {
    HugeDevice device;
    QCOMPARE(wad_kind(device), WadKind::unknown);
    QVERIFY(device.read_bytes <= 12 + wad_entries_read * 16);
}

// Files: a WAD; a folder, a link to nothing, a FIFO, an unreadable file and a 100 MB file
// of zeros are unknown, and none of them waits.
void tst_wad_kind::files() {
    QTemporaryDir dir;
    const QString good = dir.filePath("tnt.wad");
    write_file(good, wad("IWAD", {"MAP01"}));
    QCOMPARE(wad_kind(good), WadKind::doom2);
    QCOMPARE(wad_kind(dir.path()), WadKind::unknown);
    QCOMPARE(wad_kind(dir.filePath("none.wad")), WadKind::unknown);
    QCOMPARE(wad_kind(good + QChar(0) + "x"), WadKind::unknown);
    // A directory of 5 Mi entries, all of them in the file.
    QFile zeros(dir.filePath("zeros.wad"));
    QVERIFY(zeros.open(QIODevice::WriteOnly));
    QCOMPARE(zeros.write(with(wad("IWAD", {}), 4, 0x500000)), 12);
    QVERIFY(zeros.resize(100 << 20));
    zeros.close();
    QCOMPARE(wad_kind(zeros.fileName()), WadKind::unknown);
    // A directory past 16 MiB, as in both Freedoom IWADs: the offset's top byte counts. The file
    // is sparse, so it costs no disk.
    QFile far(dir.filePath("far.wad"));
    QVERIFY(far.open(QIODevice::WriteOnly));
    QCOMPARE(far.write(with(wad("IWAD", {}), 4, 1).replace(8, 4, int32(0x01100000))), 12);
    QVERIFY(far.seek(0x01100000));
    QCOMPARE(far.write(int32(12) + int32(0) + QByteArray("E1M1\0\0\0\0", 8)), 16);
    far.close();
    QCOMPARE(wad_kind(far.fileName()), WadKind::doom);
#ifdef Q_OS_UNIX
    QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("dangling.wad")));
    QCOMPARE(wad_kind(dir.filePath("dangling.wad")), WadKind::unknown);
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.wad"));
    QVERIFY(mkfifo(fifo.constData(), 0600) == 0);
    QCOMPARE(wad_kind(QFile::decodeName(fifo)), WadKind::unknown);
    if (geteuid() != 0) {
        QVERIFY(QFile::setPermissions(good, {}));
        QCOMPARE(wad_kind(good), WadKind::unknown);
    }
#endif
}

QTEST_MAIN(tst_wad_kind)
#include "tst_wad_kind.moc"
