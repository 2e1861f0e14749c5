#include "files_editor.h"

#include "wad_list.h"
#include "window_list.h"

#include <QFileInfo>
#include <QShortcut>

namespace brx {

files_editor::files_editor(Forms &forms) : FormDialog(forms, FormId::files_editor, Escape::closes) {
    setupUi(this);
    form_built();
    file_list->setDragDropMode(QAbstractItemView::InternalMove);
    file_list->setDefaultDropAction(Qt::MoveAction);
    file_list->setSelectionMode(QAbstractItemView::SingleSelection);
    file_list->setTextElideMode(Qt::ElideMiddle);
    file_list->setUniformItemSizes(true);
    file_list->setIconSize(QSize(16, 16));
    // Alt+Up and Alt+Down anywhere in the window, Delete in the list.
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Up), this), &QShortcut::activated, this,
            &files_editor::Up_button_Click);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), this), &QShortcut::activated, this,
            &files_editor::Down_button_Click);
    auto *remove = new QShortcut(QKeySequence::Delete, file_list);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &files_editor::Remove_button_Click);
    connect(Add_button, &QPushButton::clicked, this, &files_editor::Add_button_Click);
    connect(Remove_button, &QPushButton::clicked, this, &files_editor::Remove_button_Click);
    connect(Up_button, &QPushButton::clicked, this, &files_editor::Up_button_Click);
    connect(Down_button, &QPushButton::clicked, this, &files_editor::Down_button_Click);
    connect(Okay_Button, &QPushButton::clicked, this, &files_editor::Okay_Button_Click);
    connect(Cancel_Button, &QPushButton::clicked, this, &files_editor::Cancel_Button_Click);
}

void files_editor::Form_Load() {
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi}) {
        if (auto *game = qobject_cast<GameDialog *>(forms().loaded(id)))
            game_ = game;
    }
    if (game_)
        read_ = wad_files(game_->panel().ExternalWad_textbox->text());
    for (const QString &path : std::as_const(read_))
        add_row(path);
    file_list->setCurrentRow(0);
    file_list->setFocus();
}

QStringList files_editor::files() const {
    QStringList paths;
    for (int row = 0; row < file_list->count(); ++row)
        paths << file_list->item(row)->text();
    return paths;
}

// A file that is not there is marked by an icon, its tooltip and what it is heard as.
void files_editor::add_row(const QString &path) {
    auto *item = new QListWidgetItem(path, file_list);
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    if (QFileInfo(path).isFile()) {
        // An empty picture in the mark's place, so that every row's text starts alike.
        static const QIcon none = [] {
            QPixmap blank(16, 16);
            blank.fill(Qt::transparent);
            return QIcon(blank);
        }();
        item->setIcon(none);
        item->setToolTip(path);
        return;
    }
    item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setToolTip(QStringLiteral("Not found: %1").arg(path));
    item->setData(Qt::AccessibleTextRole, QStringLiteral("%1, not found").arg(path));
}

void files_editor::Add_button_Click() {
    const std::optional<GameFiles> chosen = choose_game_files(forms());
    if (!chosen)
        return;
    for (const QString &path : chosen->wads)
        add_row(path);
    if (!chosen->wads.isEmpty())
        file_list->setCurrentRow(file_list->count() - 1);
    if (!chosen->patch.isEmpty())
        patch_ = chosen->patch;
}

void files_editor::Remove_button_Click() {
    const int row = file_list->currentRow();
    if (row < 0)
        return;
    delete file_list->takeItem(row);
    file_list->setCurrentRow(qMin(row, file_list->count() - 1));
}

void files_editor::move_current(int by) {
    const int row = file_list->currentRow();
    if (row < 0 || row + by < 0 || row + by >= file_list->count())
        return;
    QListWidgetItem *item = file_list->takeItem(row);
    file_list->insertItem(row + by, item);
    file_list->setCurrentRow(row + by);
}

void files_editor::Up_button_Click() {
    move_current(-1);
}

void files_editor::Down_button_Click() {
    move_current(1);
}

// An unchanged list leaves the box's text as it was, blanks and all.
void files_editor::Okay_Button_Click() {
    if (game_) {
        if (const QStringList paths = files(); paths != read_)
            game_->panel().ExternalWad_textbox->setText(wad_text(paths));
        if (!patch_.isEmpty())
            game_->panel().Dehacked_textbox->setText(patch_);
    }
    unload();
}

void files_editor::Cancel_Button_Click() {
    unload();
}

} // namespace brx
