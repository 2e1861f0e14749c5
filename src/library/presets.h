// The presets file, brx-presets.json beside brx.cfg: the named presets (an engine, an IWAD and
// the choices of a game dialog) and the last game started from each game dialog. QtCore alone:
// reading shows nothing and hands back what it found, writing gives the bytes that the caller
// saves atomically. Fields the launcher does not know are kept as they were; fields it misses,
// or finds of the wrong type, take their defaults.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace brx {

inline const QString presets_file_name = QStringLiteral("brx-presets.json");

// The game dialog a preset or a last game belongs to.
enum class GameKind { solo, multi };
QString game_kind_name(GameKind kind);

// What a game dialog shows: the controls' states, texts as they stand.
struct GameChoices {
    int skill = 3;   // the skill list's index: "Ultra-Violence"
    QString level{}; // the level's name; empty: the list's first
    bool nomonsters = false;
    bool respawnmonsters = false;
    bool fastmonsters = false;
    bool gogame = true;
    QString externalwad{}; // the files in order, separated by blanks, as the box holds them
    QString dehacked{};
    QString other_options{};
    // The multiplayer dialog alone.
    int page = 0; // 0 join, 1 host
    QString hostip{};
    int mode = 0;
    bool timelimit = false;
    QString timetext = QStringLiteral("20");
    bool timetext_enabled = false;
    bool fraglimit = false;
    QString fragtext = QStringLiteral("30");
    bool fragtext_enabled = false;
    bool client_dup = false;
    QString clientdup_value = QStringLiteral("2");
    bool host_dup = false;
    QString serverdup_value = QStringLiteral("2");
    QString playernum = QStringLiteral("2");

    QJsonObject kept{}; // the object as it was read, unknown fields and all

    bool operator==(const GameChoices &other) const;
};

struct Preset {
    QString name;
    GameKind kind = GameKind::solo;
    QString engine; // the engine file; empty: the current one
    QString iwad;   // the IWAD file; empty: the current one
    GameChoices game;
    QJsonObject kept{};
};

struct Presets {
    QList<Preset> presets;
    bool has_last_solo = false, has_last_multi = false;
    GameChoices last_solo, last_multi;
    QJsonObject kept{};
    QJsonArray unnamed{}; // entries of the list without a name of their own, kept as they were

    // The preset of this name, or nothing.
    const Preset *find(const QString &name) const;
    // Adds the preset, replacing one of the same name.
    void put(const Preset &preset);
    bool remove(const QString &name);
    // The last game of the dialog, or nothing.
    const GameChoices *last(GameKind kind) const;
    void set_last(GameKind kind, const GameChoices &game);
};

struct PresetsFound {
    enum Kind {
        data,       // the file was read
        missing,    // no plain file of that name
        damaged,    // not a presets file: reason says why
        unreadable, // the file could not be opened or read; reason says why
    };
    Kind kind = missing;
    QString path;
    QString reason;
};

// A file larger than this is no presets file: reading stops there.
inline constexpr qint64 presets_size_limit = 64 * 1024 * 1024;

// Reads the presets from the bytes of a file. A file that is no JSON object, or whose presets
// are no list, is damaged; an entry without a name, or with the name of an earlier one, is no
// preset (but is written back as it was).
PresetsFound read_presets(const QByteArray &bytes, Presets &presets);
// Reads the file at the path into presets (emptied first). Bytes the same as those of the
// last file read as presets are not parsed again: what they held is handed back.
PresetsFound read_presets_file(const QString &path, Presets &presets);
// The file's bytes for the presets, unknown fields kept.
QByteArray write_presets(const Presets &presets);

// Why a preset cannot have this name, or nothing: names are one line of text.
QString unusable_preset_name(const QString &name);

} // namespace brx
