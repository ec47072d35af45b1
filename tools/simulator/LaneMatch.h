#pragma once

#include "Discipline.h"
#include "Shooter.h"
#include "ShotRandom.h"
#include "target/TargetRecords.h"

#include <QString>
#include <QStringList>

#include <array>

// The events on one lane, one after the other: a shooter steps up (the
// definitions are published and his name shown), fires sighting shots, the
// match begins, he fires the match, and after a short pause the next shooter
// steps up. The results state after every shot is what the server writes into
// the lane's results file.
class LaneMatch {
public:
    enum class Event {
        Wettbewerb, // competition definition
        Scheibe, // target definition
        Waffe, // weapon definition
        Schuetze, // the shooter's name
        ProbeAn, // sighting shots from now on
        ProbeAus, // match shots from now on
        Schuss, // a shot was scored: new results
        Pause, // nothing happens on this lane for a while
    };

    LaneMatch(int lane, Discipline discipline, std::uint32_t seed);

    Event next();

    int lane() const { return m_lane; }
    const Discipline& discipline() const { return m_discipline; }
    const Shooter& shooter() const { return m_shooter; }
    // The records after the latest event (what a results file holds).
    const TargetRecords& records() const { return m_records; }
    bool inMatch() const { return m_phase == Phase::Match || m_phase == Phase::Done; }

    // Match result so far, for rankings and places.
    int matchShots() const { return m_match.shots; }
    // Total in tenths of a ring.
    int matchTotalTenths() const { return m_match.totalTenths; }
    QString matchTotalText() const;
    // Results of the series fired so far (at most 12).
    QStringList seriesTexts() const;

private:
    enum class Phase { Announce, Sighting, Match, Done };
    struct SetState {
        int shots = 0;
        int totalTenths = 0;
        std::array<int, SchussSatz::Groesse> seriesTenths {};
    };

    void newShooter();
    void shoot();
    void store(SchussSatz& satz, SetState& state, double x, double y, double ring);
    QString tenthsText(int tenths) const;

    int m_lane;
    Discipline m_discipline;
    ShotRandom m_random;
    Shooter m_shooter;
    TargetRecords m_records;
    SetState m_probe;
    SetState m_match;
    Phase m_phase = Phase::Done;
    int m_announceStep = 0;
    int m_pauseLeft = 0;
};
