// Which files each filter of the file-open dialog offers: by our matching rules where programs
// carry no ".exe" suffix (POSIX) and where they must (Windows), and in the real dialog, driven
// under the offscreen platform, with what it is asked (title, filter descriptions verbatim,
// starting folder) and what it hands back, one file or several.
#include "file_filter.h"
#include "helpers.h"
#include "qt_platform.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace brx;

namespace {

// The filter asked for: pairs of a description and its patterns (a description left without
// patterns is dropped), and the descriptions the dialog shows.
const QString filter =
    QStringLiteral("Doom2 wad (doom2.wad)|doom2.wad|Doom wads|doom.wad;doom2.wad|"
                   "Wads (*.wad)|*.wad|ZDoom (zdoom.exe)|zdoom.exe|"
                   "All executables (*.exe)|*.exe|dangling");
const QString descriptions = QStringLiteral(
    "Doom2 wad (doom2.wad)|Doom wads|Wads (*.wad)|ZDoom (zdoom.exe)|All executables (*.exe)");
// The test folder, sorted, and its executable files.
const QStringList files{"DOOM2.WAD", "ZDOOM.EXE", "chocolate-doom", "freedoom.wad",
                        "readme",    "zdoom",     "zdoomgl"};
const QStringList programs{"chocolate-doom", "zdoom", "zdoomgl"};

// What each filter offers in the test folder.
// clang-format off
const char *const offered_by[][2] = {
    // where programs carry no suffix         where they must
    {"DOOM2.WAD",                              "DOOM2.WAD"},              // in any case
    {"DOOM2.WAD",                              "DOOM2.WAD"},              // a name is no wildcard
    {"DOOM2.WAD freedoom.wad",                 "DOOM2.WAD freedoom.wad"}, // programs only by .exe
    {"ZDOOM.EXE zdoom",                        "ZDOOM.EXE"},              // not a longer name
    {"ZDOOM.EXE chocolate-doom zdoom zdoomgl", "ZDOOM.EXE"},              // nor a data file
};
// clang-format on

// Acts in the dialog once it is up: the timer fires in the dialog's own event loop.
void when_shown(std::function<void(QFileDialog &)> act) {
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        dialog ? act(*dialog) : qFatal("the file-open dialog did not show");
    });
}

// What our rules offer of the test folder under the filter's entry i.
QString by_rules(int i, ExeSuffix suffix) {
    QStringList names;
    for (const QString &file : files) {
        if (offers(parse_filter(filter)[i], file, programs.contains(file), suffix))
            names << file;
    }
    return names.join(u' ');
}

// What the dialog lists of its folder under the selected filter, once it applied the filter:
// the folder is read in the background, a new filter applies once the dialog's event loop has
// run, and the model holds every file again, for the proxy to choose from, only after a
// delayed re-sort.
QString offered(QFileDialog &dialog) {
    auto *model = qobject_cast<QFileSystemModel *>(dialog.proxyModel()->sourceModel());
    const QModelIndex folder = model->index(dialog.directory().path());
    if (!QTest::qWaitFor([&] {
            return model->nameFilters().isEmpty() && model->rowCount(folder) == files.size();
        }))
        return QStringLiteral("the dialog's own filter hides files");
    QStringList names;
    for (int row = 0; row < files.size(); ++row) {
        if (dialog.proxyModel()->mapFromSource(model->index(row, 0, folder)).isValid())
            names << model->index(row, 0, folder).data().toString();
    }
    names.sort();
    return names.join(u' ');
}

} // namespace

class tst_file_filter : public QObject {
    Q_OBJECT
private slots:
    void offers_by_filter_asks_and_answers();
};

void tst_file_filter::offers_by_filter_asks_and_answers() {
    QTemporaryDir dir;
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (programs.contains(name))
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    // Whether programs must carry the suffix here, and the rules of the other kind of system.
    const int native = native_exe_suffix() == ExeSuffix::required;
    const ExeSuffix other = native ? ExeSuffix::optional : ExeSuffix::required;
    const int order[] = {1, 2, 0, 4, 3}; // each a change, ending on a filter offering ZDOOM.EXE
    // Title, filters and folder, then what each filter offers in the dialog and by the rules
    // of the other kind of system.
    QStringList seen;
    when_shown([&](QFileDialog &dialog) {
        seen << dialog.windowTitle() << dialog.nameFilters().join(u'|')
             << canonical(dialog.directory().path());
        for (const int i : order) {
            dialog.selectNameFilter(dialog.nameFilters().value(i));
            seen << offered(dialog) << by_rules(i, other);
        }
        dialog.findChild<QLineEdit *>("fileNameEdit")->setText("ZDOOM.EXE"); // as typed
        static_cast<QDialog &>(dialog).accept();
    });
    const std::optional<FileChoice> choice = QtPlatform().open_file(
        {"Select ZDoom excutable...", filter, QDir::toNativeSeparators(dir.filePath("zdoom"))});
    QStringList expected{"Select ZDoom excutable...", descriptions, canonical(dir.path())};
    for (const int i : order)
        expected << offered_by[i][native] << offered_by[i][!native];
    QCOMPARE(seen, expected);
    QVERIFY(choice);
    QCOMPARE(canonical(choice->path), canonical(dir.filePath("ZDOOM.EXE")));
    QCOMPARE(choice->filter, 4); // the filter last selected, counted from 1
    // Cancelled, with a file selected: no choice.
    when_shown([](QFileDialog &dialog) { dialog.reject(); });
    QVERIFY(!QtPlatform().open_file({"", filter, dir.filePath("zdoom")}));
    // Several files at once, in the order chosen (here typed), not in the folder's order.
    bool several_at_once = false; // in the list as well, by Ctrl or Shift and a click
    when_shown([&several_at_once](QFileDialog &dialog) {
        several_at_once = dialog.fileMode() == QFileDialog::ExistingFiles;
        dialog.selectNameFilter(dialog.nameFilters().value(2));
        offered(dialog); // once the filter applies
        dialog.findChild<QLineEdit *>("fileNameEdit")->setText("\"freedoom.wad\" \"DOOM2.WAD\"");
        static_cast<QDialog &>(dialog).accept();
    });
    const std::optional<FilesChoice> several =
        QtPlatform().open_files({"", filter, dir.filePath("zdoom")});
    QVERIFY(several && several_at_once);
    QCOMPARE(several->filter, 3);
    QStringList names;
    for (const QString &path : several->paths)
        names << canonical(path);
    QCOMPARE(names, (QStringList{canonical(dir.filePath("freedoom.wad")),
                                 canonical(dir.filePath("DOOM2.WAD"))}));
}

QTEST_MAIN(tst_file_filter)
#include "tst_file_filter.moc"
