// The record's text form: every reading rule, the writer, and the round trip.
#include "record.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

using brx::Settings;

Q_DECLARE_METATYPE(Settings)

namespace {

Settings read(const QByteArray &data, int *count = nullptr, Settings start = {}) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    const int read = brx::read_record(buffer, start);
    if (count)
        *count = read;
    return start;
}

Settings make(QString exe, QString iwad, QString w, QString h, QString rate, qint16 card,
              qint16 nomd2) {
    return {exe, iwad, w, h, rate, card, nomd2};
}

// A record padded to 14-column print zones, as older versions wrote it.
QByteArray zoned(const QList<QByteArray> &items) {
    QByteArray line;
    for (const QByteArray &item : items) {
        if (!line.isEmpty()) {
            line += ',';
            while (line.size() % 14 != 0)
                line += ' ';
        }
        line += item;
    }
    return line + "\r\n";
}

} // namespace

class tst_record : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void short_data_data();
    void short_data();
    void stops_after_seventh_value();
    void writes_data();
    void writes();
    void round_trip_data();
    void round_trip();
    void storable();
};

void tst_record::reads_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<Settings>("expected");

    const Settings usual =
        make("C:\\ZDOOM\\ZDOOMGL.EXE", "C:\\DOOM2\\DOOM2.WAD", "640", "480", "22050", 2, 1);
    QTest::newRow("as written") << QByteArray("C:\\ZDOOM\\ZDOOMGL.EXE,C:\\DOOM2\\DOOM2.WAD,640,"
                                              "480,22050, 2 , 1 \r\n")
                                << usual;
    QTest::newRow("print zones") << zoned({"C:\\ZDOOM\\ZDOOMGL.EXE", "C:\\DOOM2\\DOOM2.WAD", "640",
                                           "480", "22050", " 2 ", " 1 "})
                                 << usual;
    QTest::newRow("no line end") << QByteArray("C:\\ZDOOM\\ZDOOMGL.EXE,C:\\DOOM2\\DOOM2.WAD,640,"
                                               "480,22050,2,1")
                                 << usual;
    QTest::newRow("spread over lines")
        << QByteArray("C:\\ZDOOM\\ZDOOMGL.EXE\r\nC:\\DOOM2\\DOOM2.WAD\r\n640\n480,22050\r\n"
                      " 2 \r\n 1 \r\n")
        << usual;
    QTest::newRow("blanks and tabs around values")
        << QByteArray("  C:\\ZDOOM\\ZDOOMGL.EXE \t,\tC:\\DOOM2\\DOOM2.WAD  ,  640 ,480  , "
                      "22050 ,  2  ,1\r\n")
        << usual;
    QTest::newRow("quoted strings")
        << QByteArray("\"C:\\Program Files\\zdoom.exe\",\" a, b \",\"640\",480,\"\", 0 , 0 \r\n")
        << make("C:\\Program Files\\zdoom.exe", " a, b ", "640", "480", "", 0, 0);
    QTest::newRow("text after a closing quote is dropped")
        << QByteArray("\"x\"junk,y,1,2,3,4,5\r\n") << make("x", "y", "1", "2", "3", 4, 5);
    QTest::newRow("blanks inside a value stay")
        << QByteArray("/home/me/My Games/zdoom,/home/me/My Games/DOOM.WAD,,,, 0 , 0 \r\n")
        << make("/home/me/My Games/zdoom", "/home/me/My Games/DOOM.WAD", "", "", "", 0, 0);
    QTest::newRow("empty values") << QByteArray(",,,,,,\r\n") << make("", "", "", "", "", 0, 0);
    QTest::newRow("extra values and lines ignored")
        << QByteArray("a,b,c,d,e, 1 , 0 ,extra,more\r\nnext line\r\n")
        << make("a", "b", "c", "d", "e", 1, 0);
    QTest::newRow("negative and signed integers")
        << QByteArray("a,b,c,d,e,-1 ,+7\r\n") << make("a", "b", "c", "d", "e", -1, 7);
    QTest::newRow("non-numeric integers read as 0")
        << QByteArray("a,b,c,d,e,two,\"\"\r\n") << make("a", "b", "c", "d", "e", 0, 0);
    QTest::newRow("leading digits count")
        << QByteArray("a,b,c,d,e,2x,1.9\r\n") << make("a", "b", "c", "d", "e", 2, 1);
    QTest::newRow("beyond 16 bits reads as 0")
        << QByteArray("a,b,c,d,e,32768,99999999999999999999\r\n")
        << make("a", "b", "c", "d", "e", 0, 0);
    QTest::newRow("16-bit limits")
        << QByteArray("a,b,c,d,e,32767,-32768\r\n") << make("a", "b", "c", "d", "e", 32767, -32768);
    QTest::newRow("UTF-8 path") << QByteArray("/home/jürgen/zdoom,/home/jürgen/DOOM.WAD,640,480,"
                                              "44100, 2 , 0 \r\n")
                                << make("/home/jürgen/zdoom", "/home/jürgen/DOOM.WAD", "640", "480",
                                        "44100", 2, 0);
}

void tst_record::reads() {
    QFETCH(QByteArray, data);
    QFETCH(Settings, expected);
    int count = 0;
    const Settings got = read(data, &count);
    QCOMPARE(count, brx::record_values);
    QCOMPARE(got.doom_exe, expected.doom_exe);
    QCOMPARE(got.doom_iwad, expected.doom_iwad);
    QCOMPARE(got.vid_width, expected.vid_width);
    QCOMPARE(got.vid_height, expected.vid_height);
    QCOMPARE(got.snd_rate, expected.snd_rate);
    QCOMPARE(got.card, expected.card);
    QCOMPARE(got.nomd2, expected.nomd2);
}

void tst_record::short_data_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("count");
    QTest::addColumn<Settings>("expected");

    // Fields not read keep what the caller put there.
    const Settings start = make("old exe", "old iwad", "w", "h", "r", 2, 1);
    QTest::newRow("empty") << QByteArray() << 0 << start;
    QTest::newRow("blank lines only") << QByteArray("  \r\n\r\n  ") << 0 << start;
    QTest::newRow("two paths") << QByteArray("C:\\zdoom.exe,C:\\DOOM.WAD\r\n") << 2
                               << make("C:\\zdoom.exe", "C:\\DOOM.WAD", "w", "h", "r", 2, 1);
    QTest::newRow("cut after six")
        << QByteArray("a,b,c,d,e, 0 ,") << 6 << make("a", "b", "c", "d", "e", 0, 1);
    QTest::newRow("unclosed quote runs to the end")
        << QByteArray("\"a,b,c,d,e,1,1\r\n") << 1
        << make("a,b,c,d,e,1,1\r\n", "old iwad", "w", "h", "r", 2, 1);
}

void tst_record::short_data() {
    QFETCH(QByteArray, data);
    QFETCH(int, count);
    QFETCH(Settings, expected);
    int read_count = -1;
    const Settings got = read(data, &read_count, make("old exe", "old iwad", "w", "h", "r", 2, 1));
    QCOMPARE(read_count, count);
    QVERIFY(got == expected);
}

void tst_record::stops_after_seventh_value() {
    // Megabytes after the record are never read: the reader leaves the device there.
    QByteArray data = "a,b,c,d,e, 1 , 1 \r\n";
    const qsizetype record = data.size();
    data += QByteArray(8 * 1024 * 1024, 'x');
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    Settings settings;
    QCOMPARE(brx::read_record(buffer, settings), brx::record_values);
    QVERIFY(buffer.pos() <= record);
    QCOMPARE(settings.nomd2, qint16(1));
}

void tst_record::writes_data() {
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("usual") << make("C:\\ZDOOM\\ZDOOMGL.EXE", "C:\\DOOM2\\DOOM2.WAD", "640", "480",
                                   "22050", 2, 1)
                           << QByteArray("C:\\ZDOOM\\ZDOOMGL.EXE,C:\\DOOM2\\DOOM2.WAD,640,480,"
                                         "22050, 2 , 1 \r\n");
    QTest::newRow("zeros and empties")
        << make("", "", "", "", "", 0, 0) << QByteArray(",,,,, 0 , 0 \r\n");
    QTest::newRow("negative number")
        << make("a", "b", "c", "d", "e", -1, 12) << QByteArray("a,b,c,d,e,-1 , 12 \r\n");
    QTest::newRow("blanks inside are not quoted")
        << make("/My Games/zdoom", "/My Games/DOOM.WAD", "640", "480", "44100", 2, 0)
        << QByteArray("/My Games/zdoom,/My Games/DOOM.WAD,640,480,44100, 2 , 0 \r\n");
    QTest::newRow("comma and edge blanks quoted")
        << make("/games/a,b/zdoom", " lead.wad", "trail.wad ", "480", "44100", 2, 0)
        << QByteArray("\"/games/a,b/zdoom\",\" lead.wad\",\"trail.wad \",480,44100, 2 , 0 \r\n");
}

void tst_record::writes() {
    QFETCH(Settings, settings);
    QFETCH(QByteArray, line);
    QCOMPARE(brx::write_record(settings), line);
}

void tst_record::round_trip_data() {
    QTest::addColumn<Settings>("settings");
    QTest::newRow("usual") << make("/usr/games/zdoom", "/usr/share/games/doom/DOOM2.WAD", "1024",
                                   "768", "11025", 0, 1);
    QTest::newRow("awkward paths")
        << make("C:\\Games, old\\zdoom.exe", "  padded  ", "\t", ",", " , ", -32768, 32767);
    QTest::newRow("unicode") << make("/home/ünï/zdoom", "/home/ünï/ドゥーム.wad", "", "", "", 2, 0);
}

void tst_record::round_trip() {
    QFETCH(Settings, settings);
    int count = 0;
    const Settings back = read(brx::write_record(settings), &count);
    QCOMPARE(count, brx::record_values);
    QVERIFY(back == settings);
}

void tst_record::storable() {
    QVERIFY(brx::storable("C:\\My Games, old\\zdoom.exe"));
    QVERIFY(!brx::storable("a\"b"));
    QVERIFY(!brx::storable("a\nb"));
    QVERIFY(!brx::storable("a\rb"));
}

QTEST_APPLESS_MAIN(tst_record)
#include "tst_record.moc"
