// The launch requests the tests start from, as each dialog passes them on opening, and
// changed copies of them for each case.
#pragma once

#include "launch_request.h"
#include "wad_kind.h"

#include <QStringList>

namespace brx {

// The request's fields by name.
#define BRX_FIELD(name)                                                                            \
    { #name, &LaunchRequest::name }
inline const std::pair<const char *, QString LaunchRequest::*> text_fields[] = {
    BRX_FIELD(hostip),    BRX_FIELD(clientdup_value), BRX_FIELD(externalwad), BRX_FIELD(dehacked),
    BRX_FIELD(level),     BRX_FIELD(skill),           BRX_FIELD(timetext),    BRX_FIELD(fragtext),
    BRX_FIELD(playernum), BRX_FIELD(other_options)};
inline const std::pair<const char *, qint16 LaunchRequest::*> number_fields[] = {
    BRX_FIELD(launchkind),      BRX_FIELD(client_dup),   BRX_FIELD(nomonsters),
    BRX_FIELD(respawnmonsters), BRX_FIELD(fastmonsters), BRX_FIELD(mode),
    BRX_FIELD(timelimit),       BRX_FIELD(fraglimit),    BRX_FIELD(host_dup),
    BRX_FIELD(serverdup_value), BRX_FIELD(hostgame),     BRX_FIELD(gogame)};
#undef BRX_FIELD

// A copy of the request with fields changed, written "field=value; field=value" (the value
// as it stands, blanks included): changed(solo, "skill= 1; nomonsters=1").
inline LaunchRequest changed(LaunchRequest request, const QString &changes) {
    for (const QString &change : changes.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QString name = change.section(u'=', 0, 0);
        const QString value = change.section(u'=', 1);
        bool known = false;
        for (const auto &[field, member] : text_fields) {
            if (name == QLatin1String(field))
                known = true, request.*member = value;
        }
        for (const auto &[field, member] : number_fields) {
            if (name == QLatin1String(field))
                known = true, request.*member = value.toShort();
        }
        if (!known)
            qFatal("a request has no field %s", qPrintable(name));
    }
    return request;
}

// The twenty-one values and the other options as "field=value" texts, for comparing requests field
// by field.
inline QStringList fields(const LaunchRequest &request) {
    QStringList list;
    for (const auto &[field, member] : text_fields)
        list << QLatin1String(field) + u'=' + request.*member;
    for (const auto &[field, member] : number_fields)
        list << QLatin1String(field) + u'=' + QString::number(request.*member);
    return list;
}

} // namespace brx

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
inline const LaunchRequest join = changed(host, "launchkind=0; hostip=10.0.0.2");

} // namespace brx::requests

namespace brx {

// One of the requests above by its name, with changes: request("host; mode=2; timelimit=1").
inline LaunchRequest request(const QString &text) {
    const QString name = text.section(u';', 0, 0);
    return changed(name == u"solo"   ? requests::solo
                   : name == u"host" ? requests::host
                                     : requests::join,
                   text.section(QStringLiteral("; "), 1));
}

} // namespace brx
