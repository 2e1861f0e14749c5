// The engines and IWADs installed on this machine: where they are looked for, how an engine is
// recognised (by the family table's names and Flatpak application ids, nothing else) and how
// what was found is ranked. Everything it reads of the environment comes in as data, so it
// scans a made-up home as well as the real one. It reads folders and files only; a scan can
// take a while on a large collection, so the interface asks the game library (game_library.h),
// which runs it on another thread.
#pragma once

#include "wad_identity.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

namespace brx {

struct EngineFamily;

// What the scan reads of the environment.
struct Environment {
    QString home;            // HOME (on Windows the user's profile folder)
    QString xdg_data_home;   // empty: ~/.local/share
    QString xdg_data_dirs;   // empty: /usr/local/share:/usr/share
    QString xdg_config_home; // empty: ~/.config
    QString path;            // PATH
    QString doomwaddir;      // DOOMWADDIR: one folder
    QString doomwadpath;     // DOOMWADPATH: folders or files, `:` separated (`;` on Windows)
    QString program_dir;     // the launcher's own folder (looked in on Windows)
    QString root = "/";      // the system's folders (/usr/games, /snap/bin...) lie under this one
    bool windows = false;    // Windows rules: `;` separates lists, engines are "*.exe" files

    // This process's environment.
    static Environment from_system();
};

// An engine found: a program named as a known engine, or a Flatpak application known as one.
struct FoundEngine {
    QString path; // what the setup's engine box takes: the program (for Flatpak, its export)
    QString display_name; // the family table's name for it: "GZDoom"
    const EngineFamily *family = nullptr;
    QString source;     // where it came from: "/usr/games", "~/Applications", "Flatpak, user"
    QString flatpak_id; // "org.zdoom.GZDoom", or empty when it is no Flatpak application
    int rank = 0;       // its place in the family table

    // As offered to the user: "GZDoom (Flatpak, user)", "chocolate-doom (/usr/games)".
    QString label() const;
};

// How a WAD is identified: by its contents, identify_wad (wad_identity.h) unless told
// otherwise.
using IdentifyWad = std::function<Identity(const QString &path)>;

// An IWAD found, identified by its contents.
struct FoundIwad {
    QString path;
    Game game = Game::none;
    QString display_name; // "Freedoom: Phase 2"
    int rank = 0;         // iwad_rank: the game's place among those offered first

    // As offered to the user: "Freedoom: Phase 2 (/usr/share/games/doom/freedoom2.wad)".
    QString label() const;
};

struct Found {
    QList<FoundEngine> engines; // best first: the ZDoom family, then the others by the table
    QList<FoundIwad> iwads;     // best first: Doom II, Ultimate Doom, Doom, Freedoom...
};

// The folders engines are looked for in, in order, each with the source it shows.
struct EngineFolder {
    QString folder;
    QString source;
    enum Kind { programs, appimages, flatpak } kind = programs;
};
QList<EngineFolder> engine_folders(const Environment &env);

// The folders (and, from DOOMWADPATH, single files) IWADs are looked for in, in order; Steam's
// and Heroic's lists are read to make it.
QStringList iwad_places(const Environment &env);

QList<FoundEngine> find_engines(const Environment &env);

// What a scan learnt of each folder of IWADs, so that the next scan reads no header again in a
// folder whose entries have not changed since: the candidates' names, by the folder's real
// path and last change. The candidates are still identified each time.
struct ScanCache {
    struct Folder {
        qint64 changed = 0; // the folder's last change, ms since the epoch
        QStringList candidates;
        bool operator==(const Folder &) const = default;
    };
    QHash<QString, Folder> folders;
    bool operator==(const ScanCache &) const = default;
};

// The candidates in the places, each named once: every regular file whose header is "IWAD",
// whatever its name, and the archives named *.ipk3 or *.ipk7, each identified (by
// identify_wad when `identify` is empty) and kept when it is an IWAD. Each file is opened and
// its first 4 bytes read; only the candidates are read further.
// With a cache, folders unchanged since it was filled are not looked into again; it then
// holds what this scan learnt, of the folders it looked at.
QList<FoundIwad> find_iwads(const Environment &env, const IdentifyWad &identify = {},
                            ScanCache *cache = nullptr);

Found find_games(const Environment &env, const IdentifyWad &identify = {},
                 ScanCache *cache = nullptr);

// The cache as its file holds it, and back. Only what write_scan_cache writes is read: a file
// damaged, cut short, of another program or version, or naming anything but a plain file in
// a folder, reads as an empty cache. What it holds is checked by the scan anyway:
// a folder changed since is looked into again, and every candidate is identified again.
QByteArray write_scan_cache(const ScanCache &cache);
ScanCache read_scan_cache(const QByteArray &bytes);
// The most of a cache file read (a longer one is damaged).
inline constexpr qint64 scan_cache_read = 4 << 20;
// Writes the file, and the folders to it: replaces it whole or not at all.
bool write_scan_cache_file(const QString &path, const ScanCache &cache);

} // namespace brx
