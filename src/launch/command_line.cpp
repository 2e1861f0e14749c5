#include "command_line.h"

#include "map_names.h"
#include "number_text.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <string_view>
#include <tuple>

using namespace Qt::StringLiterals;

namespace brx {

namespace {

// A text read as a number: blanks before it are skipped, then a sign and the digits that
// follow are read and the rest is ignored. A text without digits reads as 0.
qint64 read_number(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        negative = text[at++] == u'-';
    // Far beyond any skill; the bound only keeps a silly text from overflowing.
    constexpr qint64 largest = 999'999'999'999;
    qint64 number = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at)
        number = std::min(number * 10 + (text[at].unicode() - u'0'), largest);
    return negative ? -number : number;
}

// The level as the engine's warp argument, by the game the IWAD is. A character position
// beyond the end of the level name gives nothing.
QString warp_numbers(const QString &level, WadKind kind) {
    switch (kind) {
    case WadKind::doom:
        return level.mid(1, 1) + u' ' + level.mid(3, 1); // "E2M3" gives "2 3"
    case WadKind::doom2:
        return level.mid(3, 2); // "Map07" gives "07"
    case WadKind::unknown:
        break;
    }
    return {};
}

// Whether the level is written as a map's lump name: 1 to 8 capitals, digits and signs.
bool lump_name(const QString &level) {
    if (level.isEmpty() || level.size() > 8)
        return false;
    return std::all_of(level.begin(), level.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               QStringView(u"_-[]\\").contains(c);
    });
}

// Whether the engine path names ZDoomGL: its last 11 characters, in any case.
bool is_zdoomgl(const QString &doom_exe) {
    return doom_exe.right(11).toUpper() == u"ZDOOMGL.EXE";
}

// How a value reaches the engine as arguments.
enum class Split {
    whole,  // one argument, whatever it holds
    paths,  // paths between blanks; a run that names an existing file stays whole
    blanks, // a typed value: split at blanks
};

QStringList qt(const std::vector<std::u16string> &list) {
    QStringList strings;
    for (const std::u16string &text : list)
        strings << QString::fromStdU16String(text);
    return strings;
}

// The command line and its argument vector, built together from the same pieces.
class Call {
public:
    Call(const QString &program, const QString &folder) : folder_(folder) {
        line_ = program;
        arguments_ << program;
    }
    // The option literal followed by its value, or nothing when the family has no such
    // option.
    void option(const char16_t *literal, const QString &value = {}, Split split = Split::blanks) {
        if (!literal)
            return;
        const QString text = QString::fromUtf16(literal);
        line_ += text + value;
        arguments_ << qt(split_blanks(text.toStdU16String()));
        if (split == Split::whole)
            arguments_ << value;
        else if (split == Split::paths)
            arguments_ << qt(split_paths(value.toStdU16String(), file_lookup(folder_)));
        else
            arguments_ << qt(split_blanks(value.toStdU16String()));
    }
    void literal(const QString &text) { option(reinterpret_cast<const char16_t *>(text.utf16())); }
    // What the user typed to add, after a blank, split at blanks as typed values are.
    void typed(const QString &text) {
        line_ += u' ' + text;
        arguments_ << qt(split_blanks(text.toStdU16String()));
    }
    void finish(EngineCommand &command) {
        command.command_line = line_;
        command.arguments = arguments_;
    }

private:
    QString folder_;
    QString line_;
    QStringList arguments_;
};

// A limit the engine reads right: digits alone, blanks around them allowed; blank is no limit.
bool whole_number(const QString &text) {
    const QString digits = text.trimmed();
    return digits.isEmpty() || std::all_of(digits.begin(), digits.end(),
                                           [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool hosting_request(const LaunchRequest &request) {
    return request.launchkind != 0 && request.hostgame != 0;
}

} // namespace

LevelWarp level_warp(const EngineFamily &family, const QString &level, WadKind iwad_kind) {
    if (!lump_name(level))
        return {family.warp, warp_numbers(level, iwad_kind), {}};
    const MapName name = classify_map(level);
    if (name.kind == MapName::episodic && iwad_kind != WadKind::doom2 && name.episode >= 1 &&
        name.episode <= family.warp_episodes && name.number >= 1 && name.number <= family.warp_maps)
        return {family.warp, u"%1 %2"_s.arg(name.episode).arg(name.number), {}};
    if (name.kind == MapName::numbered && iwad_kind != WadKind::doom && name.number >= 1 &&
        name.number <= family.warp_numbers)
        return {family.warp, u"%1"_s.arg(name.number, 2, 10, QChar(u'0')), {}};
    if (family.map_option)
        return {family.map_option, level, {}};
    QString why;
    if (name.kind == MapName::episodic && iwad_kind == WadKind::doom2)
        why = u"with a Doom II IWAD, -warp goes only to MAPxx maps"_s;
    else if (name.kind == MapName::numbered && iwad_kind == WadKind::doom)
        why = u"with a Doom IWAD, -warp goes only to ExMy maps"_s;
    else
        why = u"-warp goes only to E1M1 to E%1M%2 and MAP01 to MAP%3"_s.arg(family.warp_episodes)
                  .arg(family.warp_maps)
                  .arg(family.warp_numbers, 2, 10, QChar(u'0'));
    return {nullptr, {}, why};
}

PathLookup file_lookup(const QString &folder) {
    PathLookup paths;
    paths.separators.push_back(u'/');
#ifdef Q_OS_WIN
    paths.separators.push_back(u'\\');
#endif
    paths.kind = [folder](const std::u16string &path) {
        const QFileInfo info(QDir(folder).filePath(QString::fromStdU16String(path)));
        if (path.empty() || !info.exists())
            return PathKind::none;
        return info.isDir() ? PathKind::folder : PathKind::file;
    };
    return paths;
}

EngineCommand engine_command(const Settings &settings, const LaunchRequest &request,
                             WadKind iwad_kind) {
    EngineCommand command;
    const EngineFamily &family = engine_family(settings.doom_exe);
    const bool zdoom_family = family.name == std::u16string_view(u"ZDoom");

    if (request.launchkind == 0 || request.hostgame != 0) {
        if (!family.network) {
            command.refusal = engine_name(settings.doom_exe) + u" cannot play network games: "_s +
                              u"choose a single-player game, or an engine of the ZDoom or "_s +
                              u"Chocolate family in the setup."_s;
            return command;
        }
    }

    QString renderer;
    if (zdoom_family && is_zdoomgl(settings.doom_exe)) {
        command.zdoomgl = true;
        command.folder = QDir::toNativeSeparators(QFileInfo(settings.doom_exe).absolutePath());
        if (settings.card == 0)
            renderer = u" -paltex -3dfx -sprmaxsurf 4096"_s;
        else if (settings.card == 1)
            renderer = u" -paltex -3dfx"_s;
        if (settings.nomd2 == 1)
            renderer += u" -nomd2"_s;
    }
    if (hosting_request(request)) {
        for (const auto &[checked, text, literal, field] :
             {std::tuple{request.timelimit, request.timetext, family.timelimit, u"Timelimit"},
              std::tuple{request.fraglimit, request.fragtext, family.fraglimit, u"Fraglimit"}}) {
            if (checked == 1 && literal && !whole_number(text)) {
                command.refusal = QString::fromUtf16(field) +
                                  u" must be a whole number from 0 up, or left empty."_s;
                return command;
            }
        }
    }
    if (request.launchkind == 0 && request.hostip.isEmpty()) {
        command.missing_host_address = true;
        return command;
    }
    const bool hosting = hosting_request(request);

    Call call(settings.doom_exe, command.zdoomgl ? command.folder : QString());
    call.option(u" -iwad ", settings.doom_iwad, Split::whole);
    if (!request.externalwad.isEmpty())
        call.option(family.file, request.externalwad, Split::paths);
    if (!request.dehacked.isEmpty())
        call.option(family.deh, request.dehacked, Split::whole);

    if (request.launchkind == 0) {
        call.literal(renderer);
        call.option(family.extratic);
        if (request.client_dup == 1)
            call.option(family.dup, request.clientdup_value);
        call.option(family.join, request.hostip);
    } else {
        if (request.nomonsters == 1)
            call.option(family.nomonsters);
        if (request.respawnmonsters == 1)
            call.option(family.respawn);
        if (request.fastmonsters == 1)
            call.option(family.fast);
        call.literal(renderer);
        if (request.gogame == 1) {
            // The single-player dialog passes the skill number, the multiplayer dialog the
            // list's index; both reach the engine as the number.
            const qint64 skill = read_number(request.skill) + (hosting ? 1 : 0);
            call.option(family.skill, number_text(skill));
            // Without a level to go to, the engine would take the next option as its map; a
            // level the family cannot reach is left out, for the engine's first.
            const LevelWarp warp = level_warp(family, request.level, iwad_kind);
            if (!warp.value.trimmed().isEmpty())
                call.option(warp.option, warp.value);
        }
        if (hosting) {
            call.option(family.extratic);
            if (request.host_dup == 1)
                call.option(family.dup, number_text(request.serverdup_value));
            call.option(family.host, request.playernum);
            if (request.mode == 1)
                call.option(family.altdeath);
            else if (request.mode == 2)
                call.option(family.deathmatch);
            // A limit left blank is left out, as an empty warp is: the engine would read the
            // next option as its value.
            if (request.timelimit == 1 && !request.timetext.trimmed().isEmpty())
                call.option(family.timelimit, request.timetext);
            if (request.fraglimit == 1 && !request.fragtext.trimmed().isEmpty())
                call.option(family.fraglimit, request.fragtext);
        }
    }
    call.option(family.width, settings.vid_width);
    call.option(family.height, settings.vid_height);
    call.option(family.sample_rate, settings.snd_rate);
    // The other options typed in the game dialog come last, as they stand; none, or only
    // blanks, add nothing.
    if (!request.other_options.trimmed().isEmpty())
        call.typed(request.other_options);
    call.finish(command);
    return command;
}

} // namespace brx
