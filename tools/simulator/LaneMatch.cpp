#include "LaneMatch.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPauseAfterMatch = 6;
// The last index of a set receives the mean point of impact.
constexpr int kMaxShots = SchussSatz::Groesse - 1;

} // namespace

LaneMatch::LaneMatch(int lane, Discipline discipline, std::uint32_t seed)
    : m_lane(lane), m_discipline(std::move(discipline)), m_random(seed * 7919u + static_cast<std::uint32_t>(lane))
{
}

LaneMatch::Event LaneMatch::next()
{
    switch (m_phase) {
    case Phase::Done:
        if (m_pauseLeft > 0) {
            --m_pauseLeft;
            return Event::Pause;
        }
        newShooter();
        m_phase = Phase::Announce;
        m_announceStep = 0;
        [[fallthrough]];
    case Phase::Announce:
        switch (m_announceStep++) {
        case 0:
            return Event::Wettbewerb;
        case 1:
            return Event::Scheibe;
        case 2:
            return Event::Waffe;
        case 3:
            return Event::Schuetze;
        default:
            m_phase = Phase::Sighting;
            return Event::ProbeAn;
        }
    case Phase::Sighting:
        if (m_probe.shots < std::min(m_shooter.probeSchuesse, kMaxShots)) {
            shoot();
            return Event::Schuss;
        }
        m_phase = Phase::Match;
        m_records.Scheibe.Probe = TaggedValue(std::int32_t(0));
        return Event::ProbeAus;
    case Phase::Match:
        shoot();
        if (m_match.shots >= std::min(m_discipline.schussZahl(), kMaxShots)) {
            m_phase = Phase::Done;
            m_pauseLeft = kPauseAfterMatch;
        }
        return Event::Schuss;
    }
    return Event::Pause;
}

void LaneMatch::newShooter()
{
    m_shooter = Shooter::random(m_random, m_discipline.sigmaBest, m_discipline.sigmaWorst);
    m_probe = {};
    m_match = {};
    m_records = {};
    m_records.Wettbewerb = m_discipline.wettbewerb;
    m_records.Scheibe = m_discipline.scheibe;
    m_records.Scheibe.Probe = TaggedValue(std::int32_t(-1));
    m_records.Waffe = m_discipline.waffe;
    m_records.Klasse = m_discipline.klasse;
    m_records.SchuetzenName = TaggedValue(m_shooter.displayName());
    m_records.Kopfwerte = {TaggedValue(m_shooter.verein), TaggedValue(std::int32_t(m_shooter.startNummer)),
        TaggedValue(m_discipline.klasse.Bezeichnung.toString()), TaggedValue(QStringLiteral("GER")),
        TaggedValue(QString()), TaggedValue(std::int32_t(m_lane)), TaggedValue(std::int32_t(0))};
    m_records.ProbeSatz.KopfA = TaggedValue(QStringLiteral("Probe"));
    m_records.MatchSatz.KopfA = TaggedValue(QStringLiteral("Match"));
    for (SchussSatz* satz : {&m_records.ProbeSatz, &m_records.MatchSatz}) {
        satz->MarkSchuss = -1;
        satz->SerienLetzter = -1;
        satz->LetzterIndex = -1;
    }
}

void LaneMatch::shoot()
{
    // Shot positions are whole target units, as the scoring system measures.
    const double x = std::round(m_random.normal(m_shooter.offsetX, m_shooter.sigma));
    const double y = std::round(m_random.normal(m_shooter.offsetY, m_shooter.sigma));
    const double ring = m_discipline.geometry().ringValue(x, y);
    if (m_phase == Phase::Sighting)
        store(m_records.ProbeSatz, m_probe, x, y, ring);
    else
        store(m_records.MatchSatz, m_match, x, y, ring);
}

void LaneMatch::store(SchussSatz& satz, SetState& state, double x, double y, double ring)
{
    const int i = state.shots;
    const int serienlaenge = m_discipline.serienlaenge();
    const int counted = m_discipline.wholeRings() ? static_cast<int>(std::floor(ring)) * 10
                                                  : static_cast<int>(std::lround(ring * 10));
    const int serie = i / serienlaenge;
    state.shots = i + 1;
    state.totalTenths += counted;
    state.seriesTenths[static_cast<size_t>(serie)] += counted;

    const auto index = static_cast<size_t>(i);
    satz.Ringwert[index] = static_cast<float>(ring);
    satz.PosX[index] = static_cast<float>(x);
    satz.PosY[index] = static_cast<float>(y);
    satz.SchussText[index] = QString::number(i + 1);
    satz.ZusatzD[index] = TaggedValue(QString());
    satz.SchussNummer = static_cast<float>(state.shots);
    satz.LetzterIndex = static_cast<float>(i);
    satz.Gesamt = static_cast<float>(state.totalTenths / 10.0);
    satz.SerienWert[static_cast<size_t>(serie)]
        = static_cast<float>(state.seriesTenths[static_cast<size_t>(serie)] / 10.0);
    satz.SerienLetzter = static_cast<float>(serie);
    satz.AnzeigeSerie = static_cast<float>(serie);
}

QString LaneMatch::tenthsText(int tenths) const
{
    if (m_discipline.wholeRings())
        return QString::number(tenths / 10);
    return QString::number(tenths / 10.0, 'f', 1);
}

QString LaneMatch::matchTotalText() const
{
    return tenthsText(m_match.totalTenths);
}

QStringList LaneMatch::seriesTexts() const
{
    QStringList texts;
    if (m_match.shots == 0)
        return texts;
    const int series = std::min(12, (m_match.shots - 1) / m_discipline.serienlaenge() + 1);
    for (int k = 0; k < series; ++k)
        texts << tenthsText(m_match.seriesTenths[static_cast<size_t>(k)]);
    return texts;
}
