// The record's text form: every reading rule, the writer, and the round trip.
#include "record.h"

#include <QBuffer>
#include <QTest>

using brx::Settings;

Q_DECLARE_METATYPE(Settings)

namespace brx {
// Failed comparisons show the values.
char *toString(const Settings &s) {
    return QTest::toString(QStringList{s.doom_exe.left(60), s.doom_iwad.left(60), s.vid_width,
                                       s.vid_height, s.snd_rate, QString::number(s.card),
                                       QString::number(s.nomd2)}
                               .join(u'|'));
}
} // namespace brx

namespace {

// What the caller holds before reading.
const Settings held{"old exe", "old iwad", "w", "h", "r", 2, 1};

Settings read(const QByteArray &data, int *count) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    Settings settings = held;
    *count = brx::read_record(buffer, settings);
    return settings;
}

void row(const char *name, const QByteArray &data, const Settings &expected, int count = 7) {
    QTest::newRow(name) << data << count << expected;
}

} // namespace

class tst_record : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void stops_after_seventh_value();
    void read_error();
    void writes_data();
    void writes();
};

void tst_record::reads_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("count");
    QTest::addColumn<Settings>("expected");

    const Settings usual{
        "C:\\ZDOOM\\ZDOOMGL.EXE", "C:\\DOOM2\\DOOM2.WAD", "640", "480", "22050", 2, 1};
    row("as written", "C:\\ZDOOM\\ZDOOMGL.EXE,C:\\DOOM2\\DOOM2.WAD,640,480,22050, 2 , 1 \r\n",
        usual);
    row("spread over lines, after a block of blanks",
        QByteArray(100000, ' ') + "\r\n\r\nC:\\ZDOOM\\ZDOOMGL.EXE\r\nC:\\DOOM2\\DOOM2.WAD\r\n640\n"
                                  "480,22050\r\n 2 \r\n 1 \r\n",
        usual);
    // Older versions padded values to 14-column print zones.
    row("blanks and tabs around values",
        "  C:\\ZDOOM\\ZDOOMGL.EXE \t,\tC:\\DOOM2\\DOOM2.WAD  ,  640 ,480  , 22050 ,  2  ,1\r\n",
        usual);
    row("quoted strings",
        "\"C:\\Program Files\\zdoom.exe\",\" a, b \",\"640\",480,\"\", 0 , 0 \r\n",
        {"C:\\Program Files\\zdoom.exe", " a, b ", "640", "480", "", 0, 0});
    row("text after a closing quote is dropped", "\"x\"junk,y,1,2,3,4,5\r\n",
        {"x", "y", "1", "2", "3", 4, 5});
    row("blanks inside a value stay, UTF-8",
        "/home/jürgen/My Games/zdoom,/srv/My Games/DOOM.WAD,,,, 0 , 0 \r\n",
        {"/home/jürgen/My Games/zdoom", "/srv/My Games/DOOM.WAD", "", "", "", 0, 0});
    row("empty values", ", \t,,,,,\r\n", {"", "", "", "", "", 0, 0});
    row("extra values and lines ignored", "a,b,c,d,e, 1 , 0 ,extra,more\r\nnext line\r\n",
        {"a", "b", "c", "d", "e", 1, 0});
    row("signed integers, no line end", "a,b,c,d,e,-1 ,+7", {"a", "b", "c", "d", "e", -1, 7});
    row("non-numeric integers read as 0", "a,b,c,d,e,two,\"\"\r\n",
        {"a", "b", "c", "d", "e", 0, 0});
    row("leading digits count", "a,b,c,d,e,2x,1.9\r\n", {"a", "b", "c", "d", "e", 2, 1});
    row("beyond 16 bits reads as 0", "a,b,c,d,e,32768,99999999999999999999\r\n",
        {"a", "b", "c", "d", "e", 0, 0});
    row("16-bit limits", "a,b,c,d,e,32767,-32768\r\n", {"a", "b", "c", "d", "e", 32767, -32768});
    const QByteArray too_long(brx::longest_value + 1, 'x');
    const QString kept = too_long.left(brx::longest_value);
    row("no more than the longest value is kept", too_long + ",\"" + too_long + "\",c,d,e,1,1",
        {kept, kept, "c", "d", "e", 1, 1});

    // The data ends early: fields not read keep what the caller put there.
    row("empty", "", held, 0);
    row("blank lines only", "  \r\n\r\n  ", held, 0);
    row("two paths", "C:\\zdoom.exe,C:\\DOOM.WAD\r\n",
        {"C:\\zdoom.exe", "C:\\DOOM.WAD", "w", "h", "r", 2, 1}, 2);
    row("cut after six", "a,b,c,d,e, 0 ,", {"a", "b", "c", "d", "e", 0, 1}, 6);
    row("unclosed quote runs to the end", "\"a,b,c,d,e,1,1\r\n",
        {"a,b,c,d,e,1,1\r\n", "old iwad", "w", "h", "r", 2, 1}, 1);
}

void tst_record::reads() {
    QFETCH(QByteArray, data);
    QFETCH(int, count);
    QFETCH(Settings, expected);
    int read_count = -1;
    QCOMPARE(read(data, &read_count), expected);
    QCOMPARE(read_count, count);
}

void tst_record::stops_after_seventh_value() {
    // Megabytes after the record are never read: the reader stops within its first block.
    QByteArray data = "a,b,c,d,e, 1 , 1 \r\n" + QByteArray(8 * 1024 * 1024, 'x');
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    Settings settings;
    QCOMPARE(brx::read_record(buffer, settings), brx::record_values);
    QVERIFY(buffer.pos() <= 64 * 1024);
    QCOMPARE(settings.nomd2, qint16(1));
}

void tst_record::read_error() {
    // A device that gives ten bytes, then fails as a bad sector would.
    struct Failing : QBuffer {
        qint64 readData(char *data, qint64 size) override {
            return pos() < 10 ? QBuffer::readData(data, qMin(size, 10 - pos())) : -1;
        }
    } device;
    device.setData("a,b,cdefghijklmnop,d,e,1,1\r\n");
    device.open(QIODevice::ReadOnly);
    Settings settings = held;
    QCOMPARE(brx::read_record(device, settings), -1);
    // The value cut short is not kept.
    QCOMPARE(settings, (Settings{"a", "b", "w", "h", "r", 2, 1}));
}

void tst_record::writes_data() {
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("usual, blanks inside not quoted")
        << Settings{"C:\\Program Files\\ZDOOM.EXE",
                    "C:\\DOOM2\\DOOM2.WAD",
                    "640",
                    "480",
                    "22050",
                    2,
                    1}
        << QByteArray(
               "C:\\Program Files\\ZDOOM.EXE,C:\\DOOM2\\DOOM2.WAD,640,480,22050, 2 , 1 \r\n");
    QTest::newRow("empties, zero and negative")
        << Settings{"", "", "", "", "", 0, -1} << QByteArray(",,,,, 0 ,-1 \r\n");
    QTest::newRow("commas and edge blanks quoted")
        << Settings{"/games/a,b/zdoom", " lead.wad", "trail.wad ", "\t", " , ", -32768, 32767}
        << QByteArray("\"/games/a,b/zdoom\",\" lead.wad\",\"trail.wad \",\"\t\",\" , \",-32768 , "
                      "32767 \r\n");
    QTest::newRow("unicode")
        << Settings{"/home/ünï/zdoom", "/home/ünï/ドゥーム.wad", "", "", "", 2, 0}
        << QByteArray("/home/ünï/zdoom,/home/ünï/ドゥーム.wad,,,, 2 , 0 \r\n");
}

void tst_record::writes() {
    QFETCH(Settings, settings);
    QFETCH(QByteArray, line);
    QCOMPARE(brx::write_record(settings), line);
    int count = 0;
    QCOMPARE(read(line, &count), settings);
    QCOMPARE(count, brx::record_values);
}

QTEST_APPLESS_MAIN(tst_record)
#include "tst_record.moc"
