// The game options both game dialogs carry under the same names: the skill and level lists,
// the three monster options, and the external WAD and Dehacked patch fields with their
// chooser ("External files...") and "clear". Each dialog's form places them; the panel fills,
// changes and reads them the same way in both.
#pragma once

#include "engine_family.h"
#include "launch_request.h"
#include "map_list.h"
#include "wad_kind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace brx {

class Forms;

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
                form.clear_button};
    }

    // Fills the lists: "Ultra-Violence" selected, the first level when there are levels.
    void fill(WadKind kind) const;
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
    // "External files...": a WAD is appended to the WAD list after a blank, a patch replaces
    // the patch. Cancel or a failure changes nothing.
    void choose_external_file(Forms &forms) const;
    void clear() const;
    // Files dropped on the dialog go where the chooser would put them, by their extension in
    // any letter case: .wad appended, .deh or .bex replacing the patch. Returns whether any
    // was taken.
    bool take_dropped(const QList<QUrl> &urls) const;
    // The values the panel gives every launch request, the skill aside.
    void read_into(LaunchRequest &request) const;
};

} // namespace brx
