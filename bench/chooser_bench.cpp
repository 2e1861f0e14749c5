// chooser_bench: the real launcher, started as main() starts it, driven from inside to time its
// file chooser, or told from outside when to open a dialog so that bench/clickwatch can time it.
//
//   chooser_bench --chooser FOLDER RUNS
//       FOLDER holds the WADs, patches and other files to list, and brx.cfg's IWAD. Opens
//       "Launch SP game...", clicks "External files..." and times, in the file dialog that
//       comes up, until it lists every WAD, then a switch of filter to the first patch filter
//       and back. Then the same for Qt's own file dialog with plain name filters on the same
//       folder. Prints one line per measurement: "<run> <ours|qt> <open|to_deh|to_wad> <ms>",
//       runs counted from 1.
//   chooser_bench --open solo|bare
//       Waits for a line on standard input, then clicks "Launch SP game..." (solo), or opens
//       a bare dialog of the single-player dialog's title and size (bare) over the same main
//       window.
//
// The list is taken as complete when the file view shows as many rows as expected and has not
// changed for a while after; the time is that of its last change, so rows that come and go
// after the count was first right are counted.
#include "launcher.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

const QStringList filter_names = {QStringLiteral("Doom Wads (*.wad)"),
                                  QStringLiteral("Dehacked Patch (*.deh)"),
                                  QStringLiteral("Dehacked Patch (*.bex)")};
constexpr int quiet_ms = 400;

template <typename T> T *find_widget(const QString &name) {
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *found = qobject_cast<T *>(widget);
            found && found->objectName() == name && found->isVisible())
            return found;
    }
    return nullptr;
}

// Waits, inside a file dialog, until its view lists `expected` rows and stays so.
class ListWatch : public QObject {
public:
    ListWatch(QFileDialog &dialog, std::function<void(double)> done)
        : view_(dialog.findChild<QListView *>(QStringLiteral("listView"))), done_(std::move(done)) {
        quiet_.setSingleShot(true);
        quiet_.setInterval(quiet_ms);
        connect(&quiet_, &QTimer::timeout, this, &ListWatch::settled);
        QAbstractItemModel *model = view_->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &ListWatch::changed);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ListWatch::changed);
        connect(model, &QAbstractItemModel::modelReset, this, &ListWatch::changed);
        connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &ListWatch::changed);
    }

    // Starts the clock; `act` is what the user does.
    void expect(int rows, const std::function<void()> &act) {
        expected_ = rows;
        clock_.start();
        last_change_ = 0;
        quiet_.start();
        act();
    }

private:
    void changed() {
        last_change_ = double(clock_.nsecsElapsed()) / 1e6;
        quiet_.start();
    }
    void settled() {
        if (rows() != expected_) {
            quiet_.start();
            return;
        }
        done_(last_change_);
    }
    int rows() const { return view_->model()->rowCount(view_->rootIndex()); }

    QListView *view_;
    std::function<void(double)> done_;
    QTimer quiet_;
    QElapsedTimer clock_;
    double last_change_ = 0;
    int expected_ = 0;
};

struct Bench {
    QString folder;
    int runs = 0;
    int wads = 0;
    int dehs = 0;
    int run = 0;
    QElapsedTimer opening;

    void report(const char *who, const char *what, double ms) const {
        std::printf("%d %s %s %.2f\n", run, who, what, ms);
        std::fflush(stdout);
    }

    // The user's choice of filter in the dialog's list of types.
    static void choose_filter(QFileDialog &dialog, Qt::Key key) {
        auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(types, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(types, &release);
    }

    // Times the dialog's first listing (from `opening`), then a switch to the patches and
    // back, then closes it and calls `after`, once every loop it ended has unwound.
    void time_dialog(QFileDialog &dialog, const char *who, std::function<void()> after) {
        auto step = std::make_shared<int>(0);
        auto watch = std::make_shared<ListWatch *>(nullptr);
        auto done = [this, &dialog, who, watch, step, after](double ms) {
            ListWatch *w = *watch;
            switch ((*step)++) {
            case 0:
                // The first listing counts from the click.
                report(who, "open", ms + first_offset);
                QTimer::singleShot(0, w, [this, w, &dialog] {
                    w->expect(dehs, [&dialog] { choose_filter(dialog, Qt::Key_Down); });
                });
                break;
            case 1:
                report(who, "to_deh", ms);
                QTimer::singleShot(0, w, [this, w, &dialog] {
                    w->expect(wads, [&dialog] { choose_filter(dialog, Qt::Key_Up); });
                });
                break;
            default:
                report(who, "to_wad", ms);
                QTimer::singleShot(0, &dialog, [&dialog, after] {
                    dialog.reject();
                    if (after)
                        QTimer::singleShot(100, after);
                });
            }
        };
        *watch = new ListWatch(dialog, done);
        (*watch)->setParent(&dialog);
        first_offset = double(opening.nsecsElapsed()) / 1e6;
        (*watch)->expect(wads, [] {});
    }
    double first_offset = 0;

    // Our chooser: the real button of the real dialog.
    void ours(std::function<void()> after) {
        QTimer::singleShot(0, [this, after] {
            auto *external = find_widget<QPushButton>(QStringLiteral("LoadExternal_button"));
            if (!external)
                qFatal("no \"External files...\" button");
            QTimer::singleShot(0, [this, after] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    qFatal("no file dialog came up");
                time_dialog(*dialog, "ours", [after] {
                    // Leaves the single-player dialog as its user would.
                    find_widget<QPushButton>(QStringLiteral("Cancel_Button"))->click();
                    QTimer::singleShot(100, after);
                });
            });
            opening.start();
            external->click();
        });
        find_widget<QPushButton>(QStringLiteral("launch_button"))->click();
    }

    // Qt's own dialog on the same folder, starting at the same file, with plain name filters.
    void qt_own(QWidget *main_window, std::function<void()> after) {
        opening.start();
        QFileDialog dialog(main_window, QStringLiteral("Select Wads"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters(filter_names);
        dialog.setDirectory(folder);
        dialog.selectFile(QStringLiteral("doom2.wad"));
        QTimer::singleShot(0, &dialog, [this, &dialog] { time_dialog(dialog, "qt", nullptr); });
        dialog.exec();
        QTimer::singleShot(100, after);
    }

    // Takes turns, and swaps who goes first, so that drift spreads over both.
    void next() {
        if (run >= runs) {
            QCoreApplication::exit(0);
            return;
        }
        QWidget *main_window = find_widget<QPushButton>(QStringLiteral("launch_button"))->window();
        const bool ours_first = run % 2 == 0;
        ++run;
        auto second = [this, main_window, ours_first] {
            if (ours_first)
                qt_own(main_window, [this] { next(); });
            else
                ours([this] { next(); });
        };
        if (ours_first)
            ours(second);
        else
            qt_own(main_window, second);
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    Bench bench;
    if (args.size() == 4 && args[1] == u"--chooser") {
        bench.folder = args[2];
        bench.runs = args[3].toInt();
        const QDir folder(bench.folder);
        bench.wads = int(folder.entryList({QStringLiteral("*.wad")}, QDir::Files).size());
        bench.dehs = int(folder.entryList({QStringLiteral("*.deh")}, QDir::Files).size());
        QTimer::singleShot(0, [&bench] { bench.next(); });
    } else if (args.size() == 3 && args[1] == u"--open") {
        const bool bare = args[2] == u"bare";
        auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
        QObject::connect(input, &QSocketNotifier::activated, [input, bare] {
            input->setEnabled(false);
            char line[64];
            if (read(STDIN_FILENO, line, sizeof line) <= 0)
                return;
            auto *launch = find_widget<QPushButton>(QStringLiteral("launch_button"));
            if (!bare) {
                launch->click();
                return;
            }
            QDialog dialog(launch->window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                 Qt::WindowCloseButtonHint);
            dialog.setWindowTitle(QStringLiteral("Launch Single Player game"));
            dialog.setFixedSize(374, 287);
            dialog.exec();
        });
    } else {
        std::fputs("usage: chooser_bench --chooser FOLDER RUNS | --open solo|bare\n", stderr);
        return 2;
    }
    return brx::run_launcher(app);
}
