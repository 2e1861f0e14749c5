// What a game dialog hands to the launch: twenty-one values in a fixed order, and the other
// options typed. Check-box values are 0 or 1, hostgame is a Boolean (true -1, false 0), texts
// are the controls' texts as they stand.
#pragma once

#include <QString>
#include <QtGlobal>

namespace brx {

struct LaunchRequest {
    qint16 launchkind = 0; // 0 join a network game, 1 start a game
    QString hostip{};
    qint16 client_dup = 0;
    QString clientdup_value{};
    QString externalwad{}; // paths separated by blanks
    QString dehacked{};
    qint16 nomonsters = 0;
    qint16 respawnmonsters = 0;
    qint16 fastmonsters = 0;
    QString level{};
    QString skill{}; // the skill number, or the skill list's index when hosting
    qint16 mode = 0;
    qint16 timelimit = 0;
    QString timetext{};
    qint16 fraglimit = 0;
    QString fragtext{};
    qint16 host_dup = 0;
    qint16 serverdup_value = 0;
    QString playernum{};
    qint16 hostgame = 0;
    qint16 gogame = 0;
    // Beyond the twenty-one: what the user typed to add at the end of the command line.
    QString other_options{};
};

} // namespace brx
