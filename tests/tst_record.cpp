// The record's text form: every reading rule, the writer, and the round trip.
#include "helpers.h"
#include "record.h"

#include <QBuffer>
#include <QTest>

#include <climits>

using namespace brx;

namespace {

// A device that gives its first `good` bytes, then fails as a bad sector would.
struct Device : QBuffer {
    explicit Device(const QByteArray &data, qint64 good = LLONG_MAX) : good(good) {
        setData(data);
        open(QIODevice::ReadOnly);
    }
    qint64 readData(char *to, qint64 size) override {
        return pos() < good ? QBuffer::readData(to, qMin(size, good - pos())) : -1;
    }
    const qint64 good;
};

// Reads over the settings the caller holds, into `s`. Tells how many values were read and the
// settings after, as "count: exe|iwad|width|height|rate|card|nomd2".
QString read(QIODevice &device, Settings &s) {
    s = {"old exe", "old iwad", "w", "h", "r", 2, 1};
    const int count = read_record(device, s);
    const QStringList texts{s.doom_exe, s.doom_iwad, s.vid_width, s.vid_height, s.snd_rate};
    return QString::number(count) + ": " + texts.join(u'|') + '|' + QString::number(s.card) + '|' +
           QString::number(s.nomd2);
}

// `written`: the data is also what the writer makes of the settings read.
using Row = std::tuple<QByteArray, QString, bool>;
void row(const char *name, const QByteArray &data, const QString &expected, bool written = false) {
    QTest::newRow(name) << Row{data, expected, written};
}

} // namespace

class tst_record : public QObject {
    Q_OBJECT
private slots:
    void reads_and_writes_data();
    void reads_and_writes();
    void stops_at_the_record_end_or_a_read_error();
};

void tst_record::reads_and_writes_data() {
    rows<Row>();
    const bool written = true;
#ifndef Q_OS_WIN // brx.cfg is in the system's 8-bit encoding, an ANSI code page on Windows
    row("written: blanks inside stay, UTF-8",
        "/home/jürgen/My Games/zdoom,/srv/ドゥーム/DOOM2.WAD,640,480,22050, 2 , 1 \r\n",
        "7: /home/jürgen/My Games/zdoom|/srv/ドゥーム/DOOM2.WAD|640|480|22050|2|1", written);
#endif
    row("written: commas and edge blanks quoted, 16-bit limits",
        "\"/games/a,b/zdoom\",\" lead.wad\",\"trail.wad \",\"\t\",\" , \",-32768 , 32767 \r\n",
        "7: /games/a,b/zdoom| lead.wad|trail.wad |\t| , |-32768|32767", written);
    row("spread over lines, after a block of blanks",
        QByteArray(100000, ' ') +
            "\r\n\r\n/zdoom\r\n/DOOM2.WAD\r\n640\n480,22050\r\n 2 \r\n 1 \r\n",
        "7: /zdoom|/DOOM2.WAD|640|480|22050|2|1");
    // Older versions padded values to 14-column print zones.
    row("blanks and tabs around values",
        "  /zdoom \t,\t/DOOM2.WAD  ,  640 ,480  , 22050 ,  2  ,1\r\n",
        "7: /zdoom|/DOOM2.WAD|640|480|22050|2|1");
    row("text after a closing quote is dropped", "\"x\"junk,y,1,2,3,4,5\r\n", "7: x|y|1|2|3|4|5");
    row("empty values", ", \t,,,,,\r\n", "7: |||||0|0");
    row("signed integers, no line end", "a,b,c,d,e,-1 ,+7", "7: a|b|c|d|e|-1|7");
    row("leading digits count, text reads as 0", "a,b,c,d,e,2x,two\r\n", "7: a|b|c|d|e|2|0");
    row("beyond 16 bits reads as 0", "a,b,c,d,e,32768,99999999999999999999\r\n",
        "7: a|b|c|d|e|0|0");
    const QByteArray too_long(longest_value + 1, 'x');
    const QString kept = too_long.left(longest_value);
    row("no more than the longest value is kept", too_long + ",\"" + too_long + "\",c,d,e,1,1",
        "7: " + kept + '|' + kept + "|c|d|e|1|1");
    // The data ends early: fields not read keep what the caller put there.
    row("cut after six", "a,b,c,d,e, 0 ,", "6: a|b|c|d|e|0|1");
    row("unclosed quote runs to the end", "\"a,b,c,d,e,1,1\r\n",
        "1: a,b,c,d,e,1,1\r\n|old iwad|w|h|r|2|1");
}

void tst_record::reads_and_writes() {
    const auto [data, expected, written] = fetch<Row>();
    Device device(data);
    Settings settings;
    QCOMPARE(read(device, settings), expected);
    if (written)
        QCOMPARE(write_record(settings), data);
}

void tst_record::stops_at_the_record_end_or_a_read_error() {
    // Megabytes after the record are never read: the reader stops within its first block.
    Device big("a,b,c,d,e, 1 , 1 \r\n" + QByteArray(8 * 1024 * 1024, 'x'));
    Settings settings;
    QCOMPARE(read(big, settings), "7: a|b|c|d|e|1|1");
    QVERIFY(big.pos() <= 64 * 1024);
    // Ten bytes, then a failure: the value cut short is not kept.
    Device failing("a,b,cdefghijklmnop,d,e,1,1\r\n", 10);
    QCOMPARE(read(failing, settings), "-1: a|b|w|h|r|2|1");
}

QTEST_APPLESS_MAIN(tst_record)
#include "tst_record.moc"
