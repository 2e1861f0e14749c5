// The file-open dialog of the real platform, driven under the offscreen platform: what it
// is asked (title, filter descriptions verbatim, starting folder), which files each filter
// offers, and what it hands back.
#include "qt_platform.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace brx;

namespace {

// What the executable filters offer in the test folder.
#ifdef Q_OS_WIN
const QStringList zdoom_offered{"ZDOOM.EXE"};
const QStringList programs_offered{"ZDOOM.EXE"};
#else
// Programs without the suffix are offered too.
const QStringList zdoom_offered{"ZDOOM.EXE", "zdoom"};
const QStringList programs_offered{"ZDOOM.EXE", "chocolate-doom", "zdoom"};
#endif

const QString exe_filter =
    QStringLiteral("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                   "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe");

// Acts in the dialog once it is up.
void when_shown(std::function<void(QFileDialog &)> act) {
    QTimer::singleShot(0, [act] {
        QFileDialog *dialog = nullptr;
        if (!QTest::qWaitFor([&dialog] {
                return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            }))
            qFatal("the file-open dialog did not show");
        act(*dialog);
    });
}

// The files the dialog lists in its folder under the selected filter, sorted.
QStringList offered(QFileDialog &dialog) {
    auto *proxy = dialog.proxyModel();
    auto *model = qobject_cast<QFileSystemModel *>(proxy->sourceModel());
    const QModelIndex folder = proxy->mapFromSource(model->index(dialog.directory().path()));
    QStringList names;
    for (int row = 0; row < proxy->rowCount(folder); ++row) {
        const QModelIndex index = proxy->index(row, 0, folder);
        if (!model->isDir(proxy->mapToSource(index)))
            names << index.data().toString();
    }
    names.sort();
    return names;
}

void make_file(const QString &path, bool executable) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(path));
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

} // namespace

class tst_qt_file_dialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void asks_and_answers();
    void offers_by_filter();
    void cancel_gives_nothing();

private:
    QTemporaryDir dir_;
    QtPlatform platform_;
};

void tst_qt_file_dialog::initTestCase() {
    for (const char *name : {"DOOM2.WAD", "doom.wad", "freedoom.wad", "ZDOOM.EXE", "readme"})
        make_file(dir_.filePath(name), false);
    for (const char *name : {"zdoom", "chocolate-doom"})
        make_file(dir_.filePath(name), true);
}

void tst_qt_file_dialog::asks_and_answers() {
    const FileRequest request{"Select ZDoom IWAD...",
                              "Doom wad (doom.wad)|doom.wad|Doom2 wad (doom2.wad)|doom2.wad",
                              QDir::toNativeSeparators(dir_.filePath("doom.wad"))};
    when_shown([this](QFileDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select ZDoom IWAD..."));
        QCOMPARE(dialog.nameFilters(),
                 (QStringList{"Doom wad (doom.wad)", "Doom2 wad (doom2.wad)"}));
        QCOMPARE(QFileInfo(dialog.directory().path()).canonicalFilePath(),
                 QFileInfo(dir_.path()).canonicalFilePath());
        dialog.selectNameFilter("Doom2 wad (doom2.wad)");
        dialog.selectFile("DOOM2.WAD");
        static_cast<QDialog &>(dialog).accept();
    });
    const std::optional<FileChoice> choice = platform_.open_file(request);
    QVERIFY(choice);
    QCOMPARE(QFileInfo(choice->path).canonicalFilePath(),
             QFileInfo(dir_.filePath("DOOM2.WAD")).canonicalFilePath());
    QCOMPARE(choice->filter, 2);
}

void tst_qt_file_dialog::offers_by_filter() {
    const QStringList expected[3] = {zdoom_offered, {}, programs_offered};
    QStringList per_filter[3];
    when_shown([&](QFileDialog &dialog) {
        // The folder is read in the background, a new filter applies once the dialog's event
        // loop has run, and the model shows the files its cleared filter lets through only
        // after a delayed re-sort: so wait for the expected list, and compare what is offered
        // when it does not come.
        auto *model = qobject_cast<QFileSystemModel *>(dialog.proxyModel()->sourceModel());
        for (int filter : {2, 0, 1}) {
            dialog.selectNameFilter(dialog.nameFilters()[filter]);
            (void)QTest::qWaitFor([&] {
                return model->nameFilters().isEmpty() && offered(dialog) == expected[filter];
            });
            per_filter[filter] = offered(dialog);
        }
        dialog.reject();
    });
    platform_.open_file({"Select ZDoom excutable...", exe_filter, dir_.filePath("zdoom")});
    for (int filter = 0; filter < 3; ++filter)
        QCOMPARE(per_filter[filter], expected[filter]);
}

void tst_qt_file_dialog::cancel_gives_nothing() {
    when_shown([](QFileDialog &dialog) { dialog.reject(); });
    QVERIFY(!platform_.open_file({"Select Wads", "Doom Wads (*.wad)|*.wad", {}}));
}

QTEST_MAIN(tst_qt_file_dialog)
#include "tst_qt_file_dialog.moc"
