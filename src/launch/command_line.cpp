#include "command_line.h"

#include "engine_family.h"
#include "number_text.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <string_view>

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

// Whether the engine path names ZDoomGL: its last 11 characters, in any case.
bool is_zdoomgl(const QString &doom_exe) {
    return doom_exe.right(11).toUpper() == u"ZDOOMGL.EXE";
}

// The option literal followed by its value, or nothing when the family has no such option.
QString option(const char16_t *literal, const QString &value = {}) {
    return literal ? QString::fromUtf16(literal) + value : QString();
}

} // namespace

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

    const QString video =
        option(family.width, settings.vid_width) + option(family.height, settings.vid_height);

    QString game;
    if (!request.externalwad.isEmpty())
        game += option(family.file, request.externalwad);
    if (!request.dehacked.isEmpty())
        game += option(family.deh, request.dehacked);

    const QString engine = settings.doom_exe + u" -iwad "_s + settings.doom_iwad;
    const QString sound = option(family.sample_rate, settings.snd_rate);

    if (request.launchkind == 0) {
        if (request.hostip.isEmpty()) {
            command.missing_host_address = true;
            return command;
        }
        QString network = option(family.extratic);
        if (request.client_dup == 1)
            network += option(family.dup, request.clientdup_value);
        command.command_line = engine + game + renderer + network +
                               option(family.join, request.hostip) + video + sound;
        return command;
    }

    if (request.nomonsters == 1)
        game += option(family.nomonsters);
    if (request.respawnmonsters == 1)
        game += option(family.respawn);
    if (request.fastmonsters == 1)
        game += option(family.fast);

    const bool hosting = request.hostgame != 0;
    QString start;
    if (request.gogame == 1) {
        // The single-player dialog passes the skill number, the multiplayer dialog the list's
        // index; both reach the engine as the number.
        const qint64 skill = read_number(request.skill) + (hosting ? 1 : 0);
        start = option(family.skill, number_text(skill));
        // Without a level to go to, the engine would take the next option as its map.
        const QString warp = warp_numbers(request.level, iwad_kind);
        if (!warp.trimmed().isEmpty())
            start += option(family.warp, warp);
    }

    QString network;
    QString host;
    if (hosting) {
        network = option(family.extratic);
        host = option(family.host, request.playernum);
        if (request.mode == 1)
            host += option(family.altdeath);
        else if (request.mode == 2)
            host += option(family.deathmatch);
        if (request.timelimit == 1)
            host += option(family.timelimit, request.timetext);
        if (request.fraglimit == 1)
            host += option(family.fraglimit, request.fragtext);
        if (request.host_dup == 1)
            network += option(family.dup, number_text(request.serverdup_value));
    }

    command.command_line = engine + game + renderer + start + network + host + video + sound;
    return command;
}

} // namespace brx
