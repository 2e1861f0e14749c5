// Which files the file-open dialog offers for each filter.
#include "file_filter.h"

#include <QTest>

using namespace brx;

class tst_file_filter : public QObject {
    Q_OBJECT
private slots:
    void parses_pairs();
    void offers_data();
    void offers();
};

void tst_file_filter::parses_pairs() {
    const QList<FilterEntry> entries =
        parse_filter("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL (zdoomgl.exe)|zdoomgl.exe|"
                     "All executables (*.exe)|*.exe");
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0].description, QStringLiteral("ZDoom executable (zdoom.exe)"));
    QCOMPARE(entries[0].patterns, QStringList{"zdoom.exe"});
    QCOMPARE(entries[2].description, QStringLiteral("All executables (*.exe)"));
    QCOMPARE(entries[2].patterns, QStringList{"*.exe"});
    QCOMPARE(parse_filter("Wads|*.wad;*.WAD|dangling")[0].patterns,
             (QStringList{"*.wad", "*.WAD"}));
    QCOMPARE(parse_filter("Wads|*.wad|dangling").size(), 1);
}

void tst_file_filter::offers_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("on_posix");
    QTest::addColumn<bool>("on_windows");

    QTest::newRow("exact name") << "doom2.wad"
                                << "doom2.wad" << false << true << true;
    QTest::newRow("any case") << "doom2.wad"
                              << "DOOM2.WAD" << false << true << true;
    QTest::newRow("other name") << "doom2.wad"
                                << "doom.wad" << false << false << false;
    QTest::newRow("plain name is no wildcard") << "doom.wad"
                                               << "freedoom.wad" << false << false << false;
    QTest::newRow("wildcard any case") << "*.wad"
                                       << "Freedoom2.WAD" << false << true << true;
    QTest::newRow("wildcard other suffix") << "*.wad"
                                           << "patch.deh" << false << false << false;
    QTest::newRow("exe name") << "zdoom.exe"
                              << "ZDOOM.EXE" << false << true << true;
    QTest::newRow("exe name without suffix") << "zdoom.exe"
                                             << "zdoom" << true << true << false;
    QTest::newRow("without suffix, not executable") << "zdoom.exe"
                                                    << "zdoom" << false << false << false;
    QTest::newRow("without suffix, other program") << "zdoom.exe"
                                                   << "zdoomgl" << true << false << false;
    QTest::newRow("any program") << "*.exe"
                                 << "chocolate-doom" << true << true << false;
    QTest::newRow("any program, data file") << "*.exe"
                                            << "readme" << false << false << false;
    QTest::newRow("any .exe file") << "*.exe"
                                   << "setup.EXE" << false << true << true;
    QTest::newRow("executable but other pattern") << "*.wad"
                                                  << "zdoom" << true << false << false;
}

void tst_file_filter::offers() {
    QFETCH(QString, pattern);
    QFETCH(QString, file);
    QFETCH(bool, executable);
    QFETCH(bool, on_posix);
    QFETCH(bool, on_windows);
    QCOMPARE(brx::offers(pattern, file, executable, ExeSuffix::optional), on_posix);
    QCOMPARE(brx::offers(pattern, file, executable, ExeSuffix::required), on_windows);
}

QTEST_APPLESS_MAIN(tst_file_filter)
#include "tst_file_filter.moc"
