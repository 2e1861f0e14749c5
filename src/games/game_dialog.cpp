#include "game_dialog.h"

#include "brxdata.h"
#include "command_line.h"
#include "doom_launch.h"
#include "form_rules.h"
#include "game_presets.h"
#include "platform.h"
#include "settings_file.h"
#include "window_list.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QMimeData>
#include <QtConcurrent/QtConcurrentRun>
#include <limits>

namespace brx {

GameDialog::GameDialog(Forms &forms, FormId id) : FormDialog(forms, id, Escape::ignored) {
    setAcceptDrops(true);
}

void GameDialog::finish_form(QPushButton *okay, QPushButton *cancel, QPushButton *save,
                             QPushButton *remove, QPushButton *shortcut, QPushButton *defaults) {
    form_built();
    // Files dropped anywhere on the dialog, the text boxes included, go where the chooser
    // would put them; and the boxes hold any length, so a long list of WADs is never cut.
    for (QLineEdit *box :
         {panel_.ExternalWad_textbox, panel_.Dehacked_textbox, panel_.other_options}) {
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
    preset_list_->setPlaceholderText(QStringLiteral("(no preset)"));
    preset_list_->setProperty("user_entries", true);
    connect(preset_list_, &QComboBox::activated, this, &GameDialog::preset_list_Activated);
    connect(save, &QPushButton::clicked, this, &GameDialog::preset_save_Click);
    connect(remove, &QPushButton::clicked, this, &GameDialog::preset_delete_Click);
    connect(shortcut, &QPushButton::clicked, this, &GameDialog::preset_shortcut_Click);
    connect(defaults, &QPushButton::clicked, this, &GameDialog::defaults_button_Click);
    connect(panel_.Files_button, &QPushButton::clicked, this, &GameDialog::Files_button_Click);

    // However the boxes change (typing, the chooser, a drop, "clear"), the level list follows.
    levels_due_.setSingleShot(true);
    levels_due_.setInterval(150);
    connect(&levels_due_, &QTimer::timeout, this, &GameDialog::read_levels);
    for (QLineEdit *box : {panel_.ExternalWad_textbox, panel_.Dehacked_textbox})
        connect(box, &QLineEdit::textChanged, &levels_due_, qOverload<>(&QTimer::start));
}

// What the level list is made from: the maps of the files, and the engine that plays them.
struct GameDialog::LevelsRead {
    MapList maps;
    QString doom_exe;
};

GameDialog::LevelsRead GameDialog::read_level_files(const QString &settings_path,
                                                    const QString &wads, const QString &patch) {
    Settings settings;
    read_settings_file(settings_path, settings);
    // The files as the engine gets them.
    QStringList files;
    for (const std::u16string &file : split_paths(wads.toStdU16String(), file_lookup({})))
        files << QString::fromStdU16String(file);
    if (!patch.isEmpty())
        files << patch;
    return {map_list(settings.doom_iwad, files), settings.doom_exe};
}

void GameDialog::read_levels() {
    levels_due_.stop();
    const int number = ++levels_read_;
    auto *watcher = new QFutureWatcher<LevelsRead>(this);
    connect(watcher, &QFutureWatcher<LevelsRead>::finished, this, [this, watcher, number] {
        watcher->deleteLater();
        if (number == levels_read_) // else a later read is on its way, or was done at once
            show_read(watcher->result());
    });
    watcher->setFuture(
        QtConcurrent::run(read_level_files, BRXdata::settings_path(forms().platform()),
                          panel_.ExternalWad_textbox->text(), panel_.Dehacked_textbox->text()));
}

void GameDialog::settle_levels() {
    if (!levels_due_.isActive() && levels_shown_ == levels_read_)
        return;
    levels_due_.stop();
    ++levels_read_;
    show_read(read_level_files(BRXdata::settings_path(forms().platform()),
                               panel_.ExternalWad_textbox->text(),
                               panel_.Dehacked_textbox->text()));
}

void GameDialog::show_read(const LevelsRead &read) {
    levels_shown_ = levels_read_;
    const MainWindow *main = main_window(forms());
    const WadKind kind = main ? main->iwad_kind() : WadKind::unknown;
    panel_.show_levels(level_entries(read.maps, kind), engine_family(read.doom_exe),
                       engine_name(read.doom_exe), kind);
}

void GameDialog::Form_Load() {
    const MainWindow *main = main_window(forms());
    panel_.fill(main ? main->iwad_kind() : WadKind::unknown);
}

QString GameDialog::command_line() const {
    return doom_launch::command_line_preview(forms(), request());
}

GameKind GameDialog::kind() const {
    return id() == FormId::launch_solo ? GameKind::solo : GameKind::multi;
}

GameChoices GameDialog::choices() const {
    GameChoices game;
    panel_.read_into(game);
    return game;
}

void GameDialog::apply(const GameChoices &game) {
    panel_.apply(game);
}

void GameDialog::finish_load() {
    // The controls get their style, and the window its caption size, first: a box given a
    // long list of files before would lay it out again at each change of font.
    ensurePolished();
    fit_captions(*this);
    const PresetsLoad load = load_presets(forms());
    list_presets(load.presets, {});
    if (const GameChoices *last = load.presets.last(kind()))
        apply(*last);
    show_runs();
    // The titles, and the maps of the files named, follow: read once, for the files the
    // dialog opens with, and only once the dialog is up, so that the read does not compete
    // with the opening for a busy processor.
    levels_due_.stop();
    QTimer::singleShot(0, this, &GameDialog::read_levels);
}

void GameDialog::list_presets(const Presets &presets, const QString &current) {
    QStringList names;
    for (const Preset &preset : presets.presets) {
        if (preset.kind == kind())
            names << preset.name;
    }
    preset_list_->clear();
    preset_list_->addItems(names);
    preset_list_->setCurrentIndex(names.indexOf(current));
}

void GameDialog::show_runs() {
    Settings settings;
    read_settings_file(BRXdata::settings_path(platform()), settings);
    const auto file = [](const QString &path) {
        return path.isEmpty() ? QStringLiteral("(none)") : QFileInfo(path).fileName();
    };
    const QString full =
        QStringLiteral("Runs %1 with %2").arg(file(settings.doom_exe), file(settings.doom_iwad));
    preset_runs_->setText(
        preset_runs_->fontMetrics().elidedText(full, Qt::ElideMiddle, preset_runs_->width() - 2));
    preset_runs_->setToolTip(QDir::toNativeSeparators(settings.doom_exe) + u'\n' +
                             QDir::toNativeSeparators(settings.doom_iwad));
}

bool GameDialog::start_game() {
    settle_levels();
    GameChoices game = choices();
    if (!doom_launch::launch_game(forms(), request()))
        return false;
    PresetsLoad load = load_presets(forms());
    if (load.savable) {
        if (const GameChoices *last = load.presets.last(kind()))
            game.kept = last->kept;
        load.presets.set_last(kind(), game);
        save_presets(forms(), load.presets);
    }
    return true;
}

void GameDialog::Okay_Button_Click() {
    start_game();
}

void GameDialog::preset_list_Activated(int index) {
    const QString name = preset_list_->itemText(index);
    const PresetsLoad load = load_presets(forms());
    const Preset *preset = load.presets.find(name);
    if (!preset || preset->kind != kind()) {
        // Another launcher removed it meanwhile.
        list_presets(load.presets, {});
        return;
    }
    const WadKind before =
        main_window(forms()) ? main_window(forms())->iwad_kind() : WadKind::unknown;
    use_preset_files(forms(), *preset);
    const WadKind now = main_window(forms()) ? main_window(forms())->iwad_kind() : before;
    if (now != before)
        panel_.list_levels(now);
    apply(preset->game);
    // The engine or the IWAD may be others now: the levels are read again.
    levels_due_.start();
    show_runs();
}

void GameDialog::preset_save_Click() {
    const std::optional<QString> name =
        platform().ask_text(QStringLiteral("Name of the preset:"), QStringLiteral("Save as..."),
                            preset_list_->currentText());
    if (!name)
        return;
    if (const QString why = unusable_preset_name(*name); !why.isEmpty()) {
        platform().message_box(why, QStringLiteral("Error!"));
        return;
    }
    PresetsLoad load = load_presets(forms());
    if (!load.savable)
        return;
    Settings settings;
    read_settings_file(BRXdata::settings_path(platform()), settings);
    Preset preset{*name, kind(), settings.doom_exe, settings.doom_iwad, choices()};
    if (const Preset *old = load.presets.find(*name)) {
        preset.kept = old->kept;
        preset.game.kept = old->game.kept;
    }
    load.presets.put(preset);
    if (save_presets(forms(), load.presets))
        list_presets(load.presets, *name);
}

void GameDialog::preset_delete_Click() {
    const QString name = preset_list_->currentText();
    if (preset_list_->currentIndex() < 0)
        return;
    PresetsLoad load = load_presets(forms());
    if (!load.savable)
        return;
    if (load.presets.remove(name) && !save_presets(forms(), load.presets))
        return;
    list_presets(load.presets, {});
}

void GameDialog::preset_shortcut_Click() {
    if (preset_list_->currentIndex() < 0) {
        platform().message_box(QStringLiteral("Choose or save a preset first."));
        return;
    }
    QString why;
    const QString path = make_shortcut(platform(), QCoreApplication::applicationFilePath(),
                                       preset_list_->currentText(), &why);
    if (path.isEmpty())
        platform().message_box(QStringLiteral("The shortcut could not be made.\n\n%1").arg(why),
                               QStringLiteral("Error!"));
    else
        platform().message_box(QStringLiteral("The shortcut is\n%1").arg(path));
}

void GameDialog::defaults_button_Click() {
    apply(GameChoices());
    preset_list_->setCurrentIndex(-1);
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
