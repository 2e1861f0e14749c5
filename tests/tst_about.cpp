// The about box: its text, "Close" and Escape, and "Help!" on each outcome of starting the
// help viewer; off Windows, the help beside the launcher opened in the desktop's viewer.
#include "aboutbox.h"
#include "help_viewer.h"
#include "rig.h"

using namespace brx;

class tst_about : public QObject {
    Q_OBJECT
private slots:
    void box_data();
    void box();
    void help_off_windows();
};

void tst_about::box_data() {
    QTest::addColumn<int>("error"); // what starting a program answers
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("seen"); // what the launcher showed, and the box left open
    const QString help = "hh.exe BRX.chm";
    QTest::newRow("Enter on Close, which has the focus")
        << 0 << "key Return" << QStringList{"closed"};
    QTest::newRow("Escape") << 0 << "key Escape" << QStringList{"closed"};
    QTest::newRow("help started") << 0 << "click Command2" << QStringList{help, "closed"};
    QTest::newRow("help not found")
        << int(error_file_not_found) << "click Command2"
        << QStringList{"Windows HTML Help could not be found|", help, "open"};
    QTest::newRow("another failure") << 75 << "click Command2" << QStringList{help, "open"};
}

void tst_about::box() {
    QFETCH(int, error);
    QFETCH(QString, steps);
    QFETCH(QStringList, seen);
    Rig rig;
    rig.platform.start_result = error;
    const bool open = rig.open<aboutbox>(FormId::aboutbox, [&](aboutbox &box) {
        // The breaks alone: a label would show the CR of LF CR as a stray glyph.
        QVERIFY(box.Label1->text().startsWith("Brixmoor") && !box.Label1->text().contains('\r'));
        act(box, steps);
    });
    QCOMPARE(rig.seen() << (open ? "open" : "closed"), seen);
}

// The viewer gets the page beside the launcher as one argument, however many blanks its path
// holds; without the page, or without a viewer, the help is not found.
void tst_about::help_off_windows() {
    QTemporaryDir bin, folder(QDir::tempPath() + "/brx help XXXXXX");
    const QString page = folder.filePath("help/index.html"), seen = bin.filePath("seen");
    write_file(bin.filePath("xdg-open"),
               QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" >'%1'\n").arg(seen).toLocal8Bit(),
               QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const int no_page = open_help(folder.path());
    QVERIFY(QDir().mkpath(folder.filePath("help")));
    write_file(page, "");
    const int found = open_help(folder.path());
    qputenv("PATH", "/nonexistent");
    const int no_viewer = open_help(folder.path());
    qputenv("PATH", path);

    QCOMPARE((QList<int>{no_page, found, no_viewer}), (QList<int>{53, 0, 53}));
    QTRY_VERIFY(QFileInfo(seen).size() > 0);
    QCOMPARE(QString::fromLocal8Bit(read_file(seen)), page + u'|');
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
