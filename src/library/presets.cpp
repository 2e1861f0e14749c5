#include "presets.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QMutex>

namespace brx {

namespace {

// A value read from the object: the default when it is missing or of another type.
QString text(const QJsonObject &object, const char *key, const QString &fallback) {
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? value.toString() : fallback;
}

bool flag(const QJsonObject &object, const char *key, bool fallback) {
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isBool() ? value.toBool() : fallback;
}

// Whole numbers in the range alone; anything else is the default.
int number(const QJsonObject &object, const char *key, int fallback, int low, int high) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return fallback;
    const double read = value.toDouble();
    return read >= low && read <= high && read == int(read) ? int(read) : fallback;
}

GameChoices read_game(const QJsonObject &object) {
    GameChoices game;
    game.kept = object;
    game.skill = number(object, "skill", game.skill, 0, 4);
    game.level = text(object, "level", game.level);
    game.nomonsters = flag(object, "nomonsters", game.nomonsters);
    game.respawnmonsters = flag(object, "respawnmonsters", game.respawnmonsters);
    game.fastmonsters = flag(object, "fastmonsters", game.fastmonsters);
    game.gogame = flag(object, "gogame", game.gogame);
    game.externalwad = text(object, "externalwad", game.externalwad);
    game.dehacked = text(object, "dehacked", game.dehacked);
    game.other_options = text(object, "other_options", game.other_options);
    game.page = number(object, "page", game.page, 0, 1);
    game.hostip = text(object, "hostip", game.hostip);
    game.mode = number(object, "mode", game.mode, 0, 2);
    game.timelimit = flag(object, "timelimit", game.timelimit);
    game.timetext = text(object, "timetext", game.timetext);
    game.timetext_enabled = flag(object, "timetext_enabled", game.timetext_enabled);
    game.fraglimit = flag(object, "fraglimit", game.fraglimit);
    game.fragtext = text(object, "fragtext", game.fragtext);
    game.fragtext_enabled = flag(object, "fragtext_enabled", game.fragtext_enabled);
    game.client_dup = flag(object, "client_dup", game.client_dup);
    game.clientdup_value = text(object, "clientdup_value", game.clientdup_value);
    game.host_dup = flag(object, "host_dup", game.host_dup);
    game.serverdup_value = text(object, "serverdup_value", game.serverdup_value);
    game.playernum = text(object, "playernum", game.playernum);
    return game;
}

QJsonObject write_game(const GameChoices &game) {
    QJsonObject object = game.kept;
    object.insert(QStringLiteral("skill"), game.skill);
    object.insert(QStringLiteral("level"), game.level);
    object.insert(QStringLiteral("nomonsters"), game.nomonsters);
    object.insert(QStringLiteral("respawnmonsters"), game.respawnmonsters);
    object.insert(QStringLiteral("fastmonsters"), game.fastmonsters);
    object.insert(QStringLiteral("gogame"), game.gogame);
    object.insert(QStringLiteral("externalwad"), game.externalwad);
    object.insert(QStringLiteral("dehacked"), game.dehacked);
    object.insert(QStringLiteral("other_options"), game.other_options);
    object.insert(QStringLiteral("page"), game.page);
    object.insert(QStringLiteral("hostip"), game.hostip);
    object.insert(QStringLiteral("mode"), game.mode);
    object.insert(QStringLiteral("timelimit"), game.timelimit);
    object.insert(QStringLiteral("timetext"), game.timetext);
    object.insert(QStringLiteral("timetext_enabled"), game.timetext_enabled);
    object.insert(QStringLiteral("fraglimit"), game.fraglimit);
    object.insert(QStringLiteral("fragtext"), game.fragtext);
    object.insert(QStringLiteral("fragtext_enabled"), game.fragtext_enabled);
    object.insert(QStringLiteral("client_dup"), game.client_dup);
    object.insert(QStringLiteral("clientdup_value"), game.clientdup_value);
    object.insert(QStringLiteral("host_dup"), game.host_dup);
    object.insert(QStringLiteral("serverdup_value"), game.serverdup_value);
    object.insert(QStringLiteral("playernum"), game.playernum);
    return object;
}

// The last file that read as presets, and what it held. The game dialogs read the file at
// every opening, and parsing it costs many times what reading it does: the same bytes again
// give what they gave before. Comparing the bytes themselves, not the file's size and times,
// sees every change, however soon it follows the last read.
struct LastRead {
    QMutex mutex;
    QByteArray bytes;
    Presets presets;
};

LastRead &last_read() {
    static LastRead last;
    return last;
}

} // namespace

QString game_kind_name(GameKind kind) {
    return kind == GameKind::solo ? QStringLiteral("solo") : QStringLiteral("multi");
}

bool GameChoices::operator==(const GameChoices &other) const {
    return write_game(*this) == write_game(other);
}

const Preset *Presets::find(const QString &name) const {
    for (const Preset &preset : presets) {
        if (preset.name == name)
            return &preset;
    }
    return nullptr;
}

void Presets::put(const Preset &preset) {
    for (Preset &old : presets) {
        if (old.name == preset.name) {
            old = preset;
            return;
        }
    }
    presets.append(preset);
}

bool Presets::remove(const QString &name) {
    return presets.removeIf([&](const Preset &preset) { return preset.name == name; }) > 0;
}

const GameChoices *Presets::last(GameKind kind) const {
    if (kind == GameKind::solo)
        return has_last_solo ? &last_solo : nullptr;
    return has_last_multi ? &last_multi : nullptr;
}

void Presets::set_last(GameKind kind, const GameChoices &game) {
    (kind == GameKind::solo ? has_last_solo : has_last_multi) = true;
    (kind == GameKind::solo ? last_solo : last_multi) = game;
}

PresetsFound read_presets(const QByteArray &bytes, Presets &presets) {
    presets = Presets();
    PresetsFound found;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    found.kind = PresetsFound::damaged;
    if (error.error != QJsonParseError::NoError) {
        found.reason = QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset);
        return found;
    }
    if (!document.isObject()) {
        found.reason = QStringLiteral("the file holds no JSON object");
        return found;
    }
    const QJsonObject root = document.object();
    const QJsonValue list = root.value(QStringLiteral("presets"));
    if (!list.isUndefined() && !list.isArray()) {
        found.reason = QStringLiteral("\"presets\" is not a list");
        return found;
    }
    found.kind = PresetsFound::data;
    presets.kept = root;
    for (const QJsonValue &entry : list.toArray()) {
        const QJsonObject object = entry.toObject();
        Preset preset;
        preset.kept = object;
        preset.name = text(object, "name", {});
        if (preset.name.isEmpty() || presets.find(preset.name)) {
            presets.unnamed.append(entry);
            continue;
        }
        preset.kind = text(object, "dialog", {}) == u"multi" ? GameKind::multi : GameKind::solo;
        preset.engine = text(object, "engine", {});
        preset.iwad = text(object, "iwad", {});
        preset.game = read_game(object.value(QStringLiteral("game")).toObject());
        presets.presets.append(preset);
    }
    const QJsonObject last = root.value(QStringLiteral("last")).toObject();
    for (const GameKind kind : {GameKind::solo, GameKind::multi}) {
        const QJsonValue game = last.value(game_kind_name(kind));
        if (game.isObject())
            presets.set_last(kind, read_game(game.toObject()));
    }
    return found;
}

PresetsFound read_presets_file(const QString &path, Presets &presets) {
    presets = Presets();
    PresetsFound found;
    found.path = path;
    if (!QFileInfo(path).isFile())
        return found;
    const auto refused = [&found](PresetsFound::Kind kind, const QString &reason) {
        found.kind = kind;
        found.reason = reason;
        return found;
    };
    const QString too_large =
        QStringLiteral("the file is larger than %1 MB").arg(presets_size_limit / (1024 * 1024));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(PresetsFound::unreadable, file.errorString());
    // Read no further than the limit: a file still longer is no presets file. (Reading up to a
    // count would first make room for all of it.)
    if (file.size() > presets_size_limit)
        return refused(PresetsFound::damaged, too_large);
    const QByteArray bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        return refused(PresetsFound::unreadable, file.errorString());
    if (bytes.size() > presets_size_limit)
        return refused(PresetsFound::damaged, too_large);
    LastRead &last = last_read();
    {
        const QMutexLocker lock(&last.mutex);
        if (!last.bytes.isEmpty() && last.bytes == bytes) {
            presets = last.presets;
            found.kind = PresetsFound::data;
            return found;
        }
    }
    const PresetsFound read = read_presets(bytes, presets);
    found.kind = read.kind;
    found.reason = read.reason;
    if (found.kind == PresetsFound::data) {
        const QMutexLocker lock(&last.mutex);
        last.bytes = bytes;
        last.presets = presets;
    }
    return found;
}

QByteArray write_presets(const Presets &presets) {
    QJsonObject root = presets.kept;
    root.insert(QStringLiteral("version"), 1);
    QJsonArray list;
    for (const Preset &preset : presets.presets) {
        QJsonObject object = preset.kept;
        object.insert(QStringLiteral("name"), preset.name);
        object.insert(QStringLiteral("dialog"), game_kind_name(preset.kind));
        object.insert(QStringLiteral("engine"), preset.engine);
        object.insert(QStringLiteral("iwad"), preset.iwad);
        object.insert(QStringLiteral("game"), write_game(preset.game));
        list.append(object);
    }
    for (const QJsonValue &entry : presets.unnamed)
        list.append(entry);
    root.insert(QStringLiteral("presets"), list);
    QJsonObject last = root.value(QStringLiteral("last")).toObject();
    for (const GameKind kind : {GameKind::solo, GameKind::multi}) {
        if (const GameChoices *game = presets.last(kind))
            last.insert(game_kind_name(kind), write_game(*game));
    }
    root.insert(QStringLiteral("last"), last);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString unusable_preset_name(const QString &name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("A preset needs a name.");
    if (name.size() > 200)
        return QStringLiteral("A preset's name is at most 200 characters long.");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A preset's name is one line without control characters.");
    }
    return {};
}

} // namespace brx
