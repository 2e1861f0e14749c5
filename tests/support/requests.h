// The launch requests the tests start from, as each dialog passes them on opening: change a
// copy with with() for each case.
#pragma once

#include "launch_request.h"

#include <QStringList>

namespace brx::requests {

// "Launch SP game..." opened with "IWAD: Doom2" and "Okay" pressed at once.
inline const LaunchRequest solo{
    .launchkind = 1, .clientdup_value = "0", .level = "Map01", .skill = " 4", .gogame = 1};

// "Multiplayer game...", "Host Game" page, "Okay" pressed at once ("IWAD: Doom2").
inline const LaunchRequest host{.launchkind = 1,
                                .clientdup_value = "2",
                                .level = "Map01",
                                .skill = "3",
                                .timetext = "20",
                                .fragtext = "30",
                                .serverdup_value = 2,
                                .playernum = "2",
                                .hostgame = -1,
                                .gogame = 1};

// The same on the "Join Game" page with an address typed.
inline const LaunchRequest join{.launchkind = 0,
                                .hostip = "10.0.0.2",
                                .clientdup_value = "2",
                                .level = "Map01",
                                .skill = "3",
                                .timetext = "20",
                                .fragtext = "30",
                                .serverdup_value = 2,
                                .playernum = "2",
                                .hostgame = -1,
                                .gogame = 1};

} // namespace brx::requests

namespace brx {

// The twenty-one values as texts, for comparing requests field by field.
inline QStringList fields(const LaunchRequest &r) {
    QStringList list;
    for (const qint16 number :
         {r.launchkind, r.client_dup, r.nomonsters, r.respawnmonsters, r.fastmonsters, r.mode,
          r.timelimit, r.fraglimit, r.host_dup, r.serverdup_value, r.hostgame, r.gogame})
        list << QString::number(number);
    return list + QStringList{r.hostip, r.clientdup_value, r.externalwad, r.dehacked, r.level,
                              r.skill,  r.timetext,        r.fragtext,    r.playernum};
}

} // namespace brx
