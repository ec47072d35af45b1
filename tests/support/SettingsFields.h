#pragma once

#include "shell/Einstellungen.h"

#include <QStringList>

#include <algorithm>
#include <gtest/gtest.h>

// The settings record as "name=value" items, so that tests compare whole
// records or name the fields they expect in one line, and a difference shows
// by name.
namespace SettingsFields {

template<typename T> QString text(T value)
{
    return QString::number(static_cast<double>(value), 'g', 15);
}
inline QString text(const QString& value)
{
    return value;
}
inline QString text(const QStringList& value)
{
    return value.join(QLatin1Char('|'));
}

inline QStringList fields(const Einstellungen& s)
{
#define FIELD(name) (QStringLiteral(#name "=") + text(s.name))
    return {FIELD(Scheibenanzahl), FIELD(ScheibenProSeite), FIELD(Wechselzeit), FIELD(Blaettern), FIELD(AnfEnde),
        FIELD(AnfScheibe), FIELD(EndScheibe), FIELD(Trefferkreuze), FIELD(Nummeriert), FIELD(Trefferkreise),
        FIELD(MittlereLage), FIELD(SerienAnzeige), FIELD(AusfAnzeige), FIELD(ZehntelAnzeige),
        FIELD(TrefferVergroessern), FIELD(FarbeProbeEcke), FIELD(AutoZoom), FIELD(VerbindungsArt), FIELD(Sprache),
        FIELD(BuliAnordnung), FIELD(SerienErgebnisse), FIELD(BildSchirm), FIELD(BildAufloesung), FIELD(NetzwerkPfad),
        FIELD(Schnellanzeige), FIELD(AnzeigeServerNr), FIELD(KORVUDisziID), FIELD(KORVUKlassenNr),
        FIELD(KORVUMannschaft), FIELD(KORVUPfad), FIELD(KORVUWKID), FIELD(VTXServerID), FIELD(RanglisteAn),
        FIELD(RangUndScheibe), FIELD(RLTitel), FIELD(chkEinZeilig), FIELD(FreieWerbung), FIELD(WerbeZeit),
        FIELD(WerbePause), FIELD(VergroessernAus), FIELD(Disziplinen)};
#undef FIELD
}

// Checks the "name=value" items of expected, separated by ';'.
inline void expect(const Einstellungen& s, const QString& expected)
{
    const QStringList actual = fields(s);
    for (const QString& field : expected.split(QLatin1Char(';'))) {
        const QString name = field.section(QLatin1Char('='), 0, 0) + QLatin1Char('=');
        const auto found
            = std::find_if(actual.begin(), actual.end(), [&](const QString& f) { return f.startsWith(name); });
        EXPECT_EQ((found == actual.end() ? QString() : *found).toStdString(), field.toStdString());
    }
}

} // namespace SettingsFields
