// The game options both game dialogs carry under the same names: the skill and level lists,
// the three monster options, and the external WAD and Dehacked patch fields with their
// chooser ("External files..."), "clear" and the list editor ("Files..."). Each dialog's form
// places them; the panel fills, changes and reads them the same way in both.
#pragma once

#include "engine_family.h"
#include "launch_request.h"
#include "map_list.h"
#include "presets.h"
#include "wad_kind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <optional>

namespace brx {

class Forms;

// Files for a game: WADs (and .pk3, .pk7, .zip mods) to append to the WAD list, in order, and
// a patch to replace the patch with (empty: none).
struct GameFiles {
    QStringList wads;
    QString patch;
};

// The files by their extensions, in any letter case: .wad, .pk3, .pk7 and .zip are WADs, .deh
// and .bex patches (the last one counts); others are left out.
GameFiles files_by_extension(const QStringList &paths);

// The external-files chooser: reloads the settings (prompting for a first run), browses from
// the stored IWAD, and lets the user choose several files at once. Under "Doom Wads" every
// file chosen is a WAD, under either "Dehacked Patch" the last one chosen is the patch, under
// "Mods" each goes by its extension. Nothing on Cancel or a failure.
std::optional<GameFiles> choose_game_files(Forms &forms);

// The five skills, the engine's skill numbers 1 to 5 in list order.
QStringList skill_names();
// The levels of the game the IWAD is: the episode maps of Doom, the numbered maps of Doom II,
// none for an IWAD of no known kind.
QStringList level_names(WadKind kind);

// One entry of the level list: its text ("MAP07: Dead Simple", or "MAP07" without a title)
// and the map's name the launch goes to ("MAP07"). A separator has neither.
struct LevelEntry {
    QString text;
    QString map;
};

// The level list for the maps the files hold: the external files' maps, then a separator and
// the IWAD's. The IWAD's are the fixed list of its kind ("Map07: Dead Simple", named as the
// list always has), titled as the IWAD titles them; for an IWAD of no known kind, the maps it
// holds.
QList<LevelEntry> level_entries(const MapList &maps, WadKind kind);

struct GamePanel {
    QComboBox *skill = nullptr;
    QComboBox *level = nullptr;
    QCheckBox *nomonsters = nullptr;
    QCheckBox *respawnmonsters = nullptr;
    QCheckBox *Fastmonsters = nullptr;
    QLineEdit *ExternalWad_textbox = nullptr;
    QLineEdit *Dehacked_textbox = nullptr;
    QPushButton *LoadExternal_button = nullptr;
    QPushButton *clear_button = nullptr;
    QLineEdit *other_options = nullptr;
    QPushButton *Files_button = nullptr;

    // The panel's controls among those a dialog's form has built.
    template <typename Form> static GamePanel of(Form &form) {
        return {form.skill,
                form.level,
                form.nomonsters,
                form.respawnmonsters,
                form.Fastmonsters,
                form.ExternalWad_textbox,
                form.Dehacked_textbox,
                form.LoadExternal_button,
                form.clear_button,
                form.other_options,
                form.Files_button};
    }

    // Fills the lists: "Ultra-Violence" selected, the first level when there are levels.
    void fill(WadKind kind) const;
    // The level list of the IWAD's kind alone, its first level selected, until the files have
    // been read.
    void list_levels(WadKind kind) const;
    // Shows these levels, each holding its map's name; one the engine (of this family, named
    // so) cannot start is greyed, its tooltip saying why. The selected map stays selected
    // while it is listed; otherwise the first level is.
    void show_levels(const QList<LevelEntry> &entries, const EngineFamily &family,
                     const QString &engine, WadKind kind) const;
    // The selected level's map name ("Map07", "E2M3", "MYMAP"); empty when none is.
    QString selected_map() const;
    // Selects the level of this map name; false, and nothing changed, when it is not listed
    // or cannot be started.
    bool select_map(const QString &map) const;
    // "External files...": each WAD is appended to the WAD list after a blank, a patch
    // replaces the patch. Cancel or a failure changes nothing.
    void choose_external_file(Forms &forms) const;
    void add(const GameFiles &files) const;
    void clear() const;
    // Files dropped on the dialog go where "Mods" in the chooser would put them, by their
    // extensions. Returns whether any was taken.
    bool take_dropped(const QList<QUrl> &urls) const;
    // The values the panel gives every launch request, the skill aside.
    void read_into(LaunchRequest &request) const;
    // The panel's part of a game's choices, and back: a level the list no longer holds leaves
    // the level as it is.
    void read_into(GameChoices &game) const;
    void apply(const GameChoices &game) const;
};

} // namespace brx
