#include "command_line.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

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

// The level as the engine's warp argument, by the game the IWAD indicator names. A character
// position beyond the end of the level name gives nothing.
QString warp_numbers(const QString &level, const QString &iwad_caption) {
    if (iwad_caption == u"IWAD: Doom")
        return level.mid(1, 1) + u' ' + level.mid(3, 1); // "E2M3" gives "2 3"
    if (iwad_caption == u"IWAD: Doom2")
        return level.mid(3, 2); // "Map07" gives "07"
    return {};
}

// Whether the engine path names ZDoomGL: its last 11 characters, in any case.
bool is_zdoomgl(const QString &doom_exe) {
    return doom_exe.right(11).toUpper() == u"ZDOOMGL.EXE";
}

} // namespace

EngineCommand engine_command(const Settings &settings, const LaunchRequest &request,
                             const QString &iwad_caption) {
    EngineCommand command;

    QString renderer;
    if (is_zdoomgl(settings.doom_exe)) {
        command.zdoomgl = true;
        command.folder = QDir::toNativeSeparators(QFileInfo(settings.doom_exe).absolutePath());
        if (settings.card == 0)
            renderer = u" -paltex -3dfx -sprmaxsurf 4096"_s;
        else if (settings.card == 1)
            renderer = u" -paltex -3dfx"_s;
        if (settings.nomd2 == 1)
            renderer += u" -nomd2"_s;
    }

    const QString video = u" -width "_s + settings.vid_width + u" -height "_s + settings.vid_height;

    QString game;
    if (!request.externalwad.isEmpty())
        game += u" -file "_s + request.externalwad;
    if (!request.dehacked.isEmpty())
        game += u" -deh "_s + request.dehacked;

    const QString engine = settings.doom_exe + u" -iwad "_s + settings.doom_iwad;
    const QString sound = u" +snd_samplerate "_s + settings.snd_rate;

    if (request.launchkind == 0) {
        if (request.hostip.isEmpty()) {
            command.missing_host_address = true;
            return command;
        }
        QString network = u" -extratic"_s;
        if (request.client_dup == 1)
            network += u" -dup "_s + request.clientdup_value;
        command.command_line =
            engine + game + renderer + network + u" -join "_s + request.hostip + video + sound;
        return command;
    }

    if (request.nomonsters == 1)
        game += u" -nomonsters"_s;
    if (request.respawnmonsters == 1)
        game += u" -respawn"_s;
    if (request.fastmonsters == 1)
        game += u" -fast"_s;

    const bool hosting = request.hostgame != 0;
    QString start;
    if (request.gogame == 1) {
        // The single-player dialog passes the skill number, the multiplayer dialog the list's
        // index; both reach the engine as the number.
        const qint64 skill = read_number(request.skill) + (hosting ? 1 : 0);
        start = u" -skill "_s + number_text(skill) + u" -warp "_s +
                warp_numbers(request.level, iwad_caption);
    }

    QString network;
    QString host;
    if (hosting) {
        network = u" -extratic"_s;
        host = u" -host "_s + request.playernum;
        if (request.mode == 1)
            host += u" -altdeath"_s;
        else if (request.mode == 2)
            host += u" -deathmatch"_s;
        if (request.timelimit == 1)
            host += u" +set timelimit "_s + request.timetext;
        if (request.fraglimit == 1)
            host += u" +set fraglimit "_s + request.fragtext;
        if (request.host_dup == 1)
            network += u" -dup "_s + number_text(request.serverdup_value);
    }

    command.command_line = engine + game + renderer + start + network + host + video + sound;
    return command;
}

} // namespace brx
