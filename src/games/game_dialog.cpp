#include "game_dialog.h"

#include "brxdata.h"
#include "command_line.h"
#include "doom_launch.h"
#include "platform.h"
#include "settings_file.h"
#include "window_list.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QMimeData>
#include <QtConcurrent/QtConcurrentRun>
#include <limits>

namespace brx {

GameDialog::GameDialog(Forms &forms, FormId id) : FormDialog(forms, id, Escape::ignored) {
    setAcceptDrops(true);
}

void GameDialog::finish_form(QPushButton *okay, QPushButton *cancel) {
    form_built();
    // Files dropped anywhere on the dialog, the text boxes included, go where the chooser
    // would put them; and the boxes hold any length, so a long list of WADs is never cut.
    for (QLineEdit *box : {panel_.ExternalWad_textbox, panel_.Dehacked_textbox}) {
        box->setAcceptDrops(false);
        box->setMaxLength(std::numeric_limits<int>::max());
    }
    okay->installEventFilter(this);
    auto *copy = new QAction(QStringLiteral("Copy command line"), this);
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(command_line()); });
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(okay, &QPushButton::clicked, this, &GameDialog::Okay_Button_Click);
    connect(cancel, &QPushButton::clicked, this, &GameDialog::Cancel_Button_Click);
    connect(panel_.LoadExternal_button, &QPushButton::clicked, this,
            &GameDialog::LoadExternal_button_Click);
    connect(panel_.clear_button, &QPushButton::clicked, this, &GameDialog::clear_button_Click);

    // However the boxes change (typing, the chooser, a drop, "clear"), the level list follows.
    levels_due_.setSingleShot(true);
    levels_due_.setInterval(150);
    connect(&levels_due_, &QTimer::timeout, this, &GameDialog::read_levels);
    for (QLineEdit *box : {panel_.ExternalWad_textbox, panel_.Dehacked_textbox})
        connect(box, &QLineEdit::textChanged, &levels_due_, qOverload<>(&QTimer::start));
}

namespace {

// What the level list is made from: the maps of the files, and the engine that plays them.
struct LevelsRead {
    MapList maps;
    QString doom_exe;
};

} // namespace

void GameDialog::read_levels() {
    const int number = ++levels_read_;
    const QString settings_path = BRXdata::settings_path(forms().platform());
    const QString wads = panel_.ExternalWad_textbox->text();
    const QString patch = panel_.Dehacked_textbox->text();
    auto *watcher = new QFutureWatcher<LevelsRead>(this);
    connect(watcher, &QFutureWatcher<LevelsRead>::finished, this, [this, watcher, number] {
        watcher->deleteLater();
        if (number != levels_read_)
            return; // a later read is on its way
        const LevelsRead read = watcher->result();
        const MainWindow *main = main_window(forms());
        const WadKind kind = main ? main->iwad_kind() : WadKind::unknown;
        panel_.show_levels(level_entries(read.maps, kind), engine_family(read.doom_exe),
                           engine_name(read.doom_exe), kind);
    });
    watcher->setFuture(QtConcurrent::run([settings_path, wads, patch] {
        Settings settings;
        read_settings_file(settings_path, settings);
        // The files as the engine gets them.
        QStringList files;
        for (const std::u16string &file : split_paths(wads.toStdU16String(), file_lookup({})))
            files << QString::fromStdU16String(file);
        if (!patch.isEmpty())
            files << patch;
        return LevelsRead{map_list(settings.doom_iwad, files), settings.doom_exe};
    }));
}

void GameDialog::Form_Load() {
    const MainWindow *main = main_window(forms());
    panel_.fill(main ? main->iwad_kind() : WadKind::unknown);
    // The titles, and the maps of files already named, follow.
    read_levels();
}

QString GameDialog::command_line() const {
    return doom_launch::command_line_preview(forms(), request());
}

void GameDialog::Okay_Button_Click() {
    doom_launch::launch_game(forms(), request());
}

void GameDialog::Cancel_Button_Click() {
    unload();
}

void GameDialog::LoadExternal_button_Click() {
    panel_.choose_external_file(forms());
}

void GameDialog::clear_button_Click() {
    panel_.clear();
}

void GameDialog::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void GameDialog::dropEvent(QDropEvent *event) {
    if (panel_.take_dropped(event->mimeData()->urls()))
        event->acceptProposedAction();
}

// The tooltip of "Okay" is the command line it would start, made when the tooltip shows.
bool GameDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ToolTip)
        static_cast<QWidget *>(watched)->setToolTip(command_line());
    return FormDialog::eventFilter(watched, event);
}

} // namespace brx
