#include "discovery.h"

#include "engine_family.h"
#include "file_head.h"
#include "key_values.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace brx {

namespace {

// Steam's and Heroic's lists are a few kilobytes; a longer one is read this far.
constexpr qint64 list_read = 1 << 20;

QString join(const QString &folder, const QString &name) {
    return QDir::cleanPath(folder + u'/' + name);
}

QString data_home(const Environment &env) {
    return env.xdg_data_home.isEmpty() ? join(env.home, ".local/share") : env.xdg_data_home;
}

QString config_home(const Environment &env) {
    return env.xdg_config_home.isEmpty() ? join(env.home, ".config") : env.xdg_config_home;
}

QStringList split_list(const QString &list, const Environment &env) {
    return list.split(env.windows ? u';' : u':', Qt::SkipEmptyParts);
}

// The folder as shown: the home folder as "~".
QString shown(const QString &folder, const Environment &env) {
    const QString home = QDir::cleanPath(env.home);
    if (!home.isEmpty() && home != "/" && folder.startsWith(home + u'/'))
        return u'~' + folder.mid(home.size());
    return folder;
}

// The known engine whose name an AppImage's name holds, the longest if several do
// ("Linux-UZDoom-4.14.AppImage" holds "uzdoom" and "zdoom").
const KnownEngine *engine_in_name(const QString &file_name) {
    const QString name = file_name.toLower();
    const KnownEngine *best = nullptr;
    for (const KnownEngine &known : engines_known()) {
        const QStringView engine(known.name);
        if (name.contains(engine) && (!best || engine.size() > QStringView(best->name).size()))
            best = &known;
    }
    return best;
}

const KnownEngine *engine_by_flatpak_id(const QString &app_id) {
    for (const KnownEngine &known : engines_known()) {
        if (known.flatpak_id && app_id.compare(QStringView(known.flatpak_id)) == 0)
            return &known;
    }
    return nullptr;
}

// A folder's entries: every name, without looking at what they are.
template <typename Each> void each_name(const QString &folder, Each each) {
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        each(it.fileName());
    }
}

void add_unique(QStringList &list, QSet<QString> &seen, const QString &path) {
    const QString clean = QDir::cleanPath(path);
    if (!clean.isEmpty() && clean != "." && !clean.contains(QChar(0)) && !seen.contains(clean)) {
        seen.insert(clean);
        list.append(clean);
    }
}

// The game folders of a Steam library and of a GOG install that may hold IWADs.
const QStringList steam_game_folders{"base",      "base/doom2", "base/tnt",     "base/plutonia",
                                     "base/wads", "rerelease",  "finaldoombase"};
const QStringList gog_game_folders{".",    "doom2",        "TNT",      "Plutonia",
                                   "base", "dosdoom/base", "base/wads"};

void add_steam(QStringList &places, QSet<QString> &seen, const Environment &env) {
    const QStringList roots{join(env.home, ".steam/steam"), join(env.home, ".steam/root"),
                            join(env.home, ".local/share/Steam"),
                            join(env.home, ".var/app/com.valvesoftware.Steam/.local/share/Steam"),
                            join(env.home, "snap/steam/common/.local/share/Steam")};
    QSet<QString> libraries_seen; // by their real path: the roots are often links to each other
    for (const QString &root : roots) {
        QStringList libraries{root};
        libraries +=
            steam_library_paths(file_head(join(root, "steamapps/libraryfolders.vdf"), list_read));
        for (const QString &library : libraries) {
            if (library.contains(QChar(0)))
                continue;
            const QString real = QFileInfo(library).canonicalFilePath();
            if (real.isEmpty() || libraries_seen.contains(real))
                continue;
            libraries_seen.insert(real);
            const QString common = join(library, "steamapps/common");
            QStringList games;
            each_name(common, [&](const QString &name) { games.append(name); });
            games.sort();
            for (const QString &game : games) {
                for (const QString &folder : steam_game_folders)
                    add_unique(places, seen, join(join(common, game), folder));
            }
        }
    }
}

void add_heroic(QStringList &places, QSet<QString> &seen, const Environment &env) {
    const QStringList lists{
        join(config_home(env), "heroic/gog_store/installed.json"),
        join(env.home,
             ".var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json")};
    for (const QString &list : lists) {
        const QJsonArray installed = QJsonDocument::fromJson(file_head(list, list_read))
                                         .object()
                                         .value("installed")
                                         .toArray();
        for (const QJsonValue &game : installed) {
            const QString folder = game.toObject().value("install_path").toString();
            if (folder.isEmpty())
                continue;
            for (const QString &sub : gog_game_folders)
                add_unique(places, seen, join(folder, sub));
        }
    }
}

// How long a folder's entries stay unchanged before the cache trusts them.
constexpr qint64 settle_ms = 5000;

const ScanCache::Folder *lookup(const ScanCache &cache, const QString &folder) {
    const auto found = cache.folders.constFind(folder);
    return found == cache.folders.cend() ? nullptr : &*found;
}

// Zip archives are IWADs only when named so; a WAD is one when its header says so.
const QStringList archive_suffixes{".ipk3", ".ipk7"};

bool is_candidate(const QString &path) {
    for (const QString &suffix : archive_suffixes) {
        if (path.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    return file_head(path, 4) == "IWAD";
}

// The cache file's format, by name and version.
constexpr char cache_format[] = "brixmoor scan cache";
constexpr int cache_version = 1;

// A name the cache may give for a file in a folder: one file name, nothing that leads out (a
// backslash is a separator on Windows).
bool plain_name(const QString &name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(QChar(0)) &&
           QFileInfo(name).fileName() == name;
}

} // namespace

Environment Environment::from_system() {
    Environment env;
    env.home = QDir::homePath();
    env.xdg_data_home = qEnvironmentVariable("XDG_DATA_HOME");
    env.xdg_data_dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    env.xdg_config_home = qEnvironmentVariable("XDG_CONFIG_HOME");
    env.path = qEnvironmentVariable("PATH");
    env.doomwaddir = qEnvironmentVariable("DOOMWADDIR");
    env.doomwadpath = qEnvironmentVariable("DOOMWADPATH");
    if (QCoreApplication::instance())
        env.program_dir = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    env.windows = true;
#endif
    return env;
}

QString FoundEngine::label() const {
    return (flatpak_id.isEmpty() ? engine_name(path) : display_name) + " (" + source + u')';
}

QString FoundIwad::label() const {
    return display_name + " (" + path + u')';
}

QList<EngineFolder> engine_folders(const Environment &env) {
    QList<EngineFolder> folders;
    QSet<QString> seen;
    const auto add = [&](const QString &folder, EngineFolder::Kind kind, const QString &source) {
        const QString clean = QDir::cleanPath(folder);
        if (clean.isEmpty() || seen.contains(clean))
            return;
        seen.insert(clean);
        folders.append({clean, source.isEmpty() ? shown(clean, env) : source, kind});
    };
    const auto programs = EngineFolder::programs;
    if (env.windows) {
        // Beside the launcher: its own folder and the others in the same folder, as in
        // "C:/Games/Brixmoor" beside "C:/Games/GZDoom"; then the user's Games folders.
        if (!env.program_dir.isEmpty()) {
            add(env.program_dir, programs, {});
            const QString parent = join(env.program_dir, "..");
            QStringList beside;
            each_name(parent, [&](const QString &name) { beside.append(name); });
            beside.sort(Qt::CaseInsensitive);
            for (const QString &name : beside)
                add(join(parent, name), programs, {});
        }
        const QString games = join(env.home, "Games");
        add(games, programs, {});
        QStringList inside;
        each_name(games, [&](const QString &name) { inside.append(name); });
        inside.sort(Qt::CaseInsensitive);
        for (const QString &name : inside)
            add(join(games, name), programs, {});
        for (const QString &folder : split_list(env.path, env))
            add(folder, programs, {});
        return folders;
    }
    for (const QString &folder : split_list(env.path, env))
        add(folder, programs, {});
    add(join(env.root, "usr/games"), programs, {});
    add(join(env.root, "usr/local/games"), programs, {});
    add(join(env.home, ".local/bin"), programs, {});
    add(join(env.home, "Applications"), EngineFolder::appimages, {});
    add(join(env.home, "Games"), EngineFolder::appimages, {});
    add(join(env.root, "snap/bin"), programs, "Snap");
    add(join(env.root, "var/lib/flatpak/exports/bin"), EngineFolder::flatpak, "Flatpak, system");
    add(join(data_home(env), "flatpak/exports/bin"), EngineFolder::flatpak, "Flatpak, user");
    return folders;
}

QList<FoundEngine> find_engines(const Environment &env) {
    QList<FoundEngine> engines;
    QSet<QString> seen; // the real paths of the engines found
    const KnownEngine *const first = engines_known().data();
    for (const EngineFolder &folder : engine_folders(env)) {
        QStringList names;
        each_name(folder.folder, [&](const QString &name) { names.append(name); });
        names.sort();
        for (const QString &name : names) {
            const KnownEngine *known = nullptr;
            switch (folder.kind) {
            case EngineFolder::programs:
                // Windows programs are "*.exe" files, and are no programs elsewhere.
                if (env.windows == name.endsWith(u".exe", Qt::CaseInsensitive))
                    known = known_engine(name);
                break;
            case EngineFolder::appimages:
                if (name.endsWith(u".AppImage", Qt::CaseInsensitive))
                    known = engine_in_name(name);
                break;
            case EngineFolder::flatpak:
                known = engine_by_flatpak_id(name);
                break;
            }
            if (!known)
                continue;
            const QString path = join(folder.folder, name);
            const QFileInfo info(path);
            if (!info.isFile() || (!env.windows && !info.isExecutable()))
                continue;
            const QString real = info.canonicalFilePath();
            if (seen.contains(real))
                continue;
            seen.insert(real);
            engines.append(
                {path, QString::fromUtf16(known->display_name), known->family, folder.source,
                 folder.kind == EngineFolder::flatpak ? QString::fromUtf16(known->flatpak_id)
                                                      : QString(),
                 int(known - first)});
        }
    }
    std::stable_sort(engines.begin(), engines.end(),
                     [](const FoundEngine &a, const FoundEngine &b) { return a.rank < b.rank; });
    return engines;
}

QStringList iwad_places(const Environment &env) {
    QStringList places;
    QSet<QString> seen;
    add_unique(places, seen, env.doomwaddir);
    for (const QString &entry : split_list(env.doomwadpath, env))
        add_unique(places, seen, entry);
    add_unique(places, seen, join(data_home(env), "games/doom"));
    const QStringList data_dirs =
        env.xdg_data_dirs.isEmpty()
            ? QStringList{join(env.root, "usr/local/share"), join(env.root, "usr/share")}
            : split_list(env.xdg_data_dirs, env);
    for (const QString &folder : data_dirs)
        add_unique(places, seen, join(folder, "games/doom"));
    add_unique(places, seen, join(env.home, ".local/share/games/doom"));
    if (env.windows && !env.program_dir.isEmpty())
        add_unique(places, seen, env.program_dir);
    add_steam(places, seen, env);
    add_heroic(places, seen, env);
    // The Flatpak engines see only their own folders; what the player put there is theirs.
    for (const char *folder :
         {".var/app/org.zdoom.GZDoom/.config/gzdoom", ".var/app/org.zdoom.GZDoom/data/games/doom",
          ".var/app/org.zdoom.UZDoom/.config/uzdoom", ".var/app/org.zdoom.UZDoom/data/games/doom"})
        add_unique(places, seen, join(env.home, QString::fromLatin1(folder)));
    return places;
}

QList<FoundIwad> find_iwads(const Environment &env, const IdentifyWad &identify, ScanCache *cache) {
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    QList<FoundIwad> iwads;
    QSet<QString> seen_places, seen; // real paths
    ScanCache kept;                  // what the cache keeps of this scan
    const auto consider = [&](const QString &path) {
        const QString real = QFileInfo(path).canonicalFilePath();
        if (real.isEmpty() || seen.contains(real))
            return;
        seen.insert(real);
        const Identity identity = identify ? identify(path) : identify_wad(path);
        if (identity.iwad)
            iwads.append({path, identity.game, identity.name, iwad_rank(identity.game)});
    };
    for (const QString &place : iwad_places(env)) {
        const QFileInfo info(place);
        if (info.isFile()) { // a file named in DOOMWADPATH
            if (is_candidate(place))
                consider(place);
            continue;
        }
        const QString real = info.canonicalFilePath();
        if (!info.isDir() || seen_places.contains(real))
            continue;
        seen_places.insert(real);
        // Regular files only (a FIFO would never answer), links followed.
        const qint64 changed = info.lastModified().toMSecsSinceEpoch();
        if (const ScanCache::Folder *cached = cache ? lookup(*cache, real) : nullptr;
            cached && cached->changed == changed) {
            for (const QString &name : cached->candidates)
                consider(join(place, name));
            kept.folders.insert(real, *cached);
            continue;
        }
        // Their names, to be found again under any path to the folder.
        QStringList candidates = files_starting_with(place, "IWAD", archive_suffixes);
        candidates.sort();
        for (const QString &name : candidates)
            consider(join(place, name));
        // A folder changed within the last seconds may be changing still, its files being
        // written: it is looked into again next time.
        if (cache && changed < started - settle_ms)
            kept.folders.insert(real, {changed, candidates});
    }
    // Only the folders looked at this time: those of another environment, or named by a
    // foreign cache, go.
    if (cache)
        *cache = std::move(kept);
    std::stable_sort(iwads.begin(), iwads.end(),
                     [](const FoundIwad &a, const FoundIwad &b) { return a.rank < b.rank; });
    return iwads;
}

Found find_games(const Environment &env, const IdentifyWad &identify, ScanCache *cache) {
    return {find_engines(env), find_iwads(env, identify, cache)};
}

QByteArray write_scan_cache(const ScanCache &cache) {
    QJsonObject folders;
    for (auto it = cache.folders.cbegin(); it != cache.folders.cend(); ++it) {
        folders.insert(it.key(),
                       QJsonObject{{"changed", double(it->changed)},
                                   {"candidates", QJsonArray::fromStringList(it->candidates)}});
    }
    return QJsonDocument(QJsonObject{{"format", QString::fromLatin1(cache_format)},
                                     {"version", cache_version},
                                     {"folders", folders}})
        .toJson(QJsonDocument::Compact);
}

ScanCache read_scan_cache(const QByteArray &bytes) {
    const QJsonObject top = QJsonDocument::fromJson(bytes).object();
    if (top.value("format").toString() != QLatin1StringView(cache_format) ||
        top.value("version") != cache_version || !top.value("folders").isObject())
        return {};
    ScanCache cache;
    const QJsonObject folders = top.value("folders").toObject();
    for (auto it = folders.constBegin(); it != folders.constEnd(); ++it) {
        const QJsonObject folder = it.value().toObject();
        const QJsonValue changed = folder.value("changed");
        const QJsonValue candidates = folder.value("candidates");
        if (!changed.isDouble() || !candidates.isArray())
            return {};
        ScanCache::Folder &entry = cache.folders[it.key()];
        entry.changed = qint64(changed.toDouble());
        for (const QJsonValue &name : candidates.toArray()) {
            if (!name.isString() || !plain_name(name.toString()))
                return {};
            entry.candidates.append(name.toString());
        }
    }
    return cache;
}

bool write_scan_cache_file(const QString &path, const ScanCache &cache) {
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QByteArray bytes = write_scan_cache(cache);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace brx
