// The about box: its text, "Close", and "Help!" on each outcome of starting the help viewer;
// off Windows, the help beside the launcher opened in the desktop's viewer.
#include "aboutbox.h"
#include "help_viewer.h"
#include "rig.h"

using namespace brx;

class tst_about : public QObject {
    Q_OBJECT
private slots:
    void text_and_close();
    void help_data();
    void help();
    void help_off_windows();
};

void tst_about::text_and_close() {
    Rig rig;
    rig.open<aboutbox>(FormId::aboutbox, [&](aboutbox &box) {
        const QString text = box.Label1->text();
        QCOMPARE(text.split(u'\n').size(), 4);
        QVERIFY(text.startsWith("Brixmoor") && text.split(u'\n')[1].isEmpty());
        QVERIFY(!text.contains(u'\r'));
        click(box, "Command1");
        QVERIFY(!rig.forms.loaded(FormId::aboutbox));
    });
}

void tst_about::help_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("stays");
    QTest::newRow("started") << 0 << QStringList() << false;
    QTest::newRow("not found") << int(error_file_not_found)
                               << QStringList{"Windows HTML Help could not be found|"} << true;
    QTest::newRow("another failure") << 75 << QStringList() << true;
}

void tst_about::help() {
    QFETCH(int, error);
    QFETCH(QStringList, messages);
    QFETCH(bool, stays);
    Rig rig;
    rig.platform.start_result = error;
    rig.open<aboutbox>(FormId::aboutbox, [&](aboutbox &box) {
        click(box, "Command2");
        QCOMPARE(bool(rig.forms.loaded(FormId::aboutbox)), stays);
    });
    QCOMPARE(rig.platform.starts.size(), 1);
    QCOMPARE(rig.platform.starts[0].command_line, "hh.exe BRX.chm");
    QStringList shown;
    for (const TestPlatform::Message &message : rig.platform.messages)
        shown << message.prompt + u'|' + message.title;
    QCOMPARE(shown, messages);
}

// The viewer gets the page beside the launcher as one argument, however many blanks its path
// holds; without the page, or without a viewer, the help is not found.
void tst_about::help_off_windows() {
    QTemporaryDir bin, folder(QDir::tempPath() + "/brx help XXXXXX");
    const QString page = folder.filePath("help/index.html");
    const QString seen = bin.filePath("seen");
    QCOMPARE(open_help(folder.path()), int(error_file_not_found));

    QVERIFY(QDir().mkpath(folder.filePath("help")));
    QFile(page).open(QIODevice::WriteOnly);
    QFile viewer(bin.filePath("xdg-open"));
    QVERIFY(viewer.open(QIODevice::WriteOnly));
    viewer.write(QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" >'%1'\n").arg(seen).toLocal8Bit());
    viewer.setPermissions(viewer.permissions() | QFile::ExeOwner);
    viewer.close();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const int found = open_help(folder.path());
    qputenv("PATH", "/nonexistent");
    const int no_viewer = open_help(folder.path());
    qputenv("PATH", path);

    QCOMPARE(found, 0);
    QTRY_VERIFY(QFileInfo(seen).size() > 0);
    QFile report(seen);
    QVERIFY(report.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(report.readAll()), page + u'|');
    QCOMPARE(no_viewer, int(error_file_not_found));
}

QTEST_MAIN(tst_about)
#include "tst_about.moc"
