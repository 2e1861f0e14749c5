#include "game_dialog.h"

#include "doom_launch.h"
#include "window_list.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
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
    connect(panel_.Files_button, &QPushButton::clicked, this, &GameDialog::Files_button_Click);
}

void GameDialog::Form_Load() {
    const MainWindow *main = main_window(forms());
    panel_.fill(main ? main->iwad_kind() : WadKind::unknown);
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

void GameDialog::Files_button_Click() {
    forms().show_modal(FormId::files_editor);
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
