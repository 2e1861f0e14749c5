#include "doom_setup.h"

#include "brxdata.h"
#include "command_line.h"
#include "engine_family.h"
#include "file_chooser.h"
#include "game_library.h"
#include "window_list.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QCompleter>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>

namespace brx {

namespace {

// The option buttons of `card`, by the index brx.cfg stores.
enum Card { voodoo = 0, voodoo2 = 1, normal_agp = 2 };
// Entries of the lists, by their place: "640x480" and "44100", shown when nothing is stored.
constexpr int resolution_640x480 = 5;
constexpr int resolution_1024x768 = 7; // the last of the form's own entries
constexpr int rate_44100 = 2;
// The tab the dialog opens on, "ZDoom Setup".
constexpr int zdoom_tab = 0;

// The wide screen sizes offered after the listed ones, up to the desktop's own.
constexpr QSize wide_sizes[] = {{1280, 720},  {1366, 768},  {1600, 900},
                                {1920, 1080}, {2560, 1440}, {3840, 2160}};

// The found path an entry of a completion list puts into its box; the entry shows more.
constexpr int path_role = Qt::UserRole + 1;

using Entries = QList<std::pair<QString, QString>>; // each entry's path and label

// The entries of a completion list as it reads them, kept as they were given: a new list is
// one change, whatever its length, and costs no more than its copy.
class FoundEntries : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void set(const Entries &entries) {
        beginResetModel();
        entries_ = entries;
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(entries_.size());
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= entries_.size())
            return {};
        const auto &[path, label] = entries_[index.row()];
        if (role == Qt::DisplayRole)
            return label;
        if (role == path_role || role == Qt::ToolTipRole)
            return path;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }

private:
    Entries entries_;
};

// A completion list for the box: typing shows the found paths holding what was typed, in any
// case; each entry names the engine or game, and its path.
QCompleter *found_list(QLineEdit *box, const QString &name) {
    auto *completer = new QCompleter(new FoundEntries(box), box);
    completer->setCompletionRole(path_role);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(8);
    completer->popup()->setAccessibleName(name);
    box->setCompleter(completer);
    return completer;
}

void fill(QCompleter *completer, const Entries &entries) {
    static_cast<FoundEntries *>(completer->model())->set(entries);
}

// What is wrong with an engine path that names a file or folder, or nothing when it names a
// program file (a Flatpak export is one). A path that names nothing is left alone: it may lie on
// a drive not mounted now.
QString engine_problem(const QString &path) {
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    const QString expected = QStringLiteral("the engine's program file was expected, such as "
                                            "gzdoom or chocolate-doom.");
    if (info.isDir())
        return QStringLiteral("%1 is a folder: %2").arg(name, expected);
    if (info.exists() && (!info.isFile() || !info.isExecutable()))
        return QStringLiteral("%1 is not a program file: %2").arg(name, expected);
    return {};
}

// What is wrong with an IWAD path that names a file (by what it holds), or nothing when it is
// an IWAD of a game the engine plays.
QString iwad_problem(const QString &path, const KnownEngine *engine) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    const Identity identity = identify_wad(path);
    if (!identity.wad)
        return QStringLiteral("%1 is no WAD file: an IWAD was expected, the main WAD of a game "
                              "such as doom2.wad or freedoom2.wad.")
            .arg(name);
    if (!identity.iwad) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.read(4) == "PWAD")
            return QStringLiteral("%1 is a PWAD: it adds levels to an IWAD. Choose it in External "
                                  "files... of a game.")
                .arg(name);
        return QStringLiteral("%1 is a WAD of no game Brixmoor knows: an IWAD such as doom2.wad "
                              "or freedoom2.wad was expected.")
            .arg(name);
    }
    if (engine && !family_plays(identity.game, engine->family->name))
        return QStringLiteral("%1 is %2, which %3 does not play: an IWAD of a Doom game was "
                              "expected.")
            .arg(name, identity.name, QString::fromUtf16(engine->display_name));
    return {};
}

} // namespace

doom_setup::doom_setup(Forms &forms) : FormDialog(forms, FormId::doom_setup, Escape::closes) {
    setupUi(this);
    form_built();
    // The option buttons are addressed by their index, which brx.cfg stores.
    card->setId(card_0, voodoo);
    card->setId(card_1, voodoo2);
    card->setId(card_2, normal_agp);
    // A path as long as brx.cfg can hold shows whole, so that "Okay" never saves it cut short.
    for (QLineEdit *box : {doom_exe, doom_iwad})
        box->setMaxLength(int(longest_value));

    exe_found_ = found_list(doom_exe, QStringLiteral("Engines found"));
    iwad_found_ = found_list(doom_iwad, QStringLiteral("IWADs found"));
    for (QLineEdit *box : {doom_exe, doom_iwad}) {
        box->installEventFilter(this);
        box->setAccessibleDescription(QStringLiteral("Down arrow lists the ones found"));
    }

    connect(doom_exe, &QLineEdit::textChanged, this, &doom_setup::follow_engine);
    connect(get_exe, &QPushButton::clicked, this, &doom_setup::get_exe_Click);
    connect(get_iwad, &QPushButton::clicked, this, &doom_setup::get_iwad_Click);
    connect(Okay_Button, &QPushButton::clicked, this, &doom_setup::Okay_Button_Click);
    connect(Cancel_Button, &QPushButton::clicked, this, &doom_setup::Cancel_Button_Click);
}

void doom_setup::Form_Load() {
    Settings stored;
    stored.card = normal_agp;
    stored.nomd2 = 1;
    first_run_ = BRXdata::load(forms(), -1, stored).kind == SettingsFound::missing;

    doom_exe->setText(stored.doom_exe);
    doom_iwad->setText(stored.doom_iwad);
    nomd2->setChecked(stored.nomd2 == 1);
    if (QAbstractButton *option = card->button(stored.card))
        option->setChecked(true);

    const QString resolution = stored.vid_width + u'x' + stored.vid_height;
    // The wide sizes the desktop can show, and the stored one whatever the desktop is now, so
    // that "Okay" saves it as it was.
    vid_res->setCurrentIndex(-1);
    while (vid_res->count() > resolution_1024x768 + 1)
        vid_res->removeItem(vid_res->count() - 1);
    const QScreen *desktop = screen();
    const QSize most = desktop ? desktop->geometry().size() * desktop->devicePixelRatio() : QSize();
    for (const QSize size : wide_sizes) {
        const QString text = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        if ((size.width() <= most.width() && size.height() <= most.height()) || text == resolution)
            vid_res->addItem(text);
    }
    vid_res->setCurrentIndex(resolution == u"x" ? resolution_640x480
                                                : vid_res->findText(resolution));
    snd_rate->setCurrentIndex(stored.snd_rate.isEmpty() ? rate_44100
                                                        : snd_rate->findText(stored.snd_rate));

    Cancel_Button->setEnabled(!stored.doom_exe.isEmpty() && !stored.doom_iwad.isEmpty());
    follow_engine();
    SSTab1->setCurrentIndex(zdoom_tab);
    Okay_Button->setFocus();

    // What the library found is offered now, or when its scan is done: the dialog never
    // waits for the disk.
    if (MainWindow *main = main_window(forms())) {
        GameLibrary &library = main->game_library();
        connect(&library, &GameLibrary::scanned, this, &doom_setup::offer_found,
                Qt::UniqueConnection);
        if (library.ready())
            offer_found();
    }
}

void doom_setup::offer_found() {
    MainWindow *main = main_window(forms());
    if (!main)
        return;
    const Found &found = main->game_library().found();
    Entries engines, iwads;
    for (const FoundEngine &engine : found.engines)
        engines.append(
            {engine.path,
             QStringLiteral("%1 (%2): %3").arg(engine.display_name, engine.source, engine.path)});
    for (const FoundIwad &iwad : found.iwads)
        iwads.append({iwad.path, iwad.label()});
    fill(exe_found_, engines);
    fill(iwad_found_, iwads);

    // A first run starts from the best engine found (the ZDoom family first) and the best IWAD
    // that engine plays, so that Enter alone saves a setup that starts a game.
    if (!first_run_)
        return;
    const EngineFamily *family = nullptr;
    if (doom_exe->text().isEmpty() && !found.engines.isEmpty()) {
        doom_exe->setText(found.engines.first().path);
        family = found.engines.first().family;
    } else if (const KnownEngine *known = known_engine(doom_exe->text())) {
        family = known->family;
    }
    if (doom_iwad->text().isEmpty() && !found.iwads.isEmpty()) {
        const FoundIwad *best = &found.iwads.first();
        for (const FoundIwad &iwad : found.iwads)
            if (!family || family_plays(iwad.game, family->name)) {
                best = &iwad;
                break;
            }
        doom_iwad->setText(best->path);
    }
}

void doom_setup::follow_engine() {
    const QString path = doom_exe->text();
    const EngineFamily &family = engine_family(path);
    const KnownEngine *known = known_engine(path);
    const QString name = known ? QString::fromUtf16(known->display_name) : engine_name(path);
    Settings settings;
    settings.doom_exe = path;
    const bool zdoomgl = engine_command(settings, {}, WadKind::unknown).zdoomgl;
    // Nothing is judged before an engine is named.
    const bool any = path.trimmed().isEmpty();
    const auto follow = [](QWidget *control, bool used, const QString &why) {
        control->setEnabled(used);
        control->setToolTip(used ? QString() : why);
    };
    follow(snd_rate, any || family.sample_rate,
           QStringLiteral("%1 has no sample rate option: it keeps the rate set in its own menus.")
               .arg(name));
    follow(vid_res, any || family.width,
           QStringLiteral("%1 has no window size options: it keeps the size set in its own menus.")
               .arg(name));
    for (QWidget *control : {static_cast<QWidget *>(Frame4), static_cast<QWidget *>(Frame5)})
        follow(control, any || zdoomgl,
               QStringLiteral("%1 is not ZDoomGL: these options are ZDoomGL's alone.").arg(name));
}

bool doom_setup::eventFilter(QObject *watched, QEvent *event) {
    // Down arrow in a box opens its whole list of the ones found.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down &&
        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier) {
        QCompleter *completer = watched == doom_exe    ? exe_found_
                                : watched == doom_iwad ? iwad_found_
                                                       : nullptr;
        if (completer && completer->model()->rowCount() > 0 && !completer->popup()->isVisible()) {
            completer->setCompletionPrefix(QString());
            completer->complete();
            return true;
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void doom_setup::get_exe_Click() {
    // "excutable" is misspelt on purpose: it is this dialog's own title, which users know.
    // The filters the dialog always had come first, so that their numbers stay; where programs
    // carry no ".exe" suffix, "*.exe" offers every executable file.
    QString filter = QStringLiteral("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                                    "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe");
    QString start;
#ifndef Q_OS_WIN
    filter += QStringLiteral("|Programs (all files)|*.exe");
    start = QStringLiteral("/usr/games");
#endif
    filter += QStringLiteral("|All files (*)|*");
    choose_file(forms(), -1, {QStringLiteral("Select ZDoom excutable..."), filter, start},
                &Settings::doom_exe, {{doom_exe}, {doom_exe}, {doom_exe}, {doom_exe}, {doom_exe}});
}

void doom_setup::get_iwad_Click() {
    choose_file(forms(), -1,
                {QStringLiteral("Select ZDoom IWAD..."),
                 QStringLiteral("Doom wad (doom.wad)|doom.wad|Doom2 wad (doom2.wad)|doom2.wad|Doom "
                                "IWADs (*.wad *.iwad *.ipk3)|*.wad;*.iwad;*.ipk3|All files (*)|*"),
                 {}},
                &Settings::doom_iwad, {{doom_iwad}, {doom_iwad}, {doom_iwad}, {doom_iwad}});
}

void doom_setup::Okay_Button_Click() {
    Settings chosen;
    const QString resolution = vid_res->currentIndex() < 0 ? QString() : vid_res->currentText();
    const qsizetype x = resolution.indexOf(u'x');
    if (x >= 0) {
        chosen.vid_width = resolution.left(x);
        chosen.vid_height = resolution.mid(x + 1);
    }
    chosen.card = qint16(qMax(card->checkedId(), 0));

    while (doom_exe->text().isEmpty()) {
        platform().message_box(QStringLiteral("Please locate your ZDoom.exe..."));
        get_exe_Click();
    }
    while (doom_iwad->text().isEmpty()) {
        platform().message_box(QStringLiteral("Please locate your doom/doom2 IWAD..."));
        get_iwad_Click();
    }

    // Each file that is not what its box asks for is explained; the user may save it anyway.
    for (const QString &problem :
         {engine_problem(doom_exe->text()),
          iwad_problem(doom_iwad->text(), known_engine(doom_exe->text()))}) {
        if (!problem.isEmpty() &&
            !platform().ask_yes_no(problem + QStringLiteral("\n\nSave it anyway?"), windowTitle()))
            return;
    }

    chosen.doom_exe = doom_exe->text();
    chosen.doom_iwad = doom_iwad->text();
    chosen.snd_rate = snd_rate->currentIndex() < 0 ? QString() : snd_rate->currentText();
    chosen.nomd2 = nomd2->isChecked() ? 1 : 0;

    QString why;
    if (!BRXdata::save_settings(platform(), chosen, &why)) {
        platform().message_box(QStringLiteral("The settings could not be saved to\n%1\n\n%2")
                                   .arg(BRXdata::settings_path(platform()), why),
                               QStringLiteral("Error!"));
        return;
    }
    if (MainWindow *main = main_window(forms()))
        main->show_iwad_kind(chosen.doom_iwad);
    unload();
}

void doom_setup::Cancel_Button_Click() {
    unload();
}

} // namespace brx
