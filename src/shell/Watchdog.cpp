#include "shell/Watchdog.h"

#include "diag/EventLog.h"
#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "exchange/MessageFileNames.h"
#include "exchange/SatzZerlegen.h"
#include "platform/Dialogs.h"
#include "platform/DirectoryListingCache.h"
#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"
#include "platform/VbNumbers.h"
#include "shell/FrameTimers.h"
#include "shell/LaneTarget.h"
#include "shell/ProgramState.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"
#include "shell/WatchdogObserver.h"

#include <QFile>

namespace {

// Message types of the 2002 protocol that a target acts on.
constexpr std::int32_t kErgebnisse = 1;
constexpr std::int32_t kProbe = 2;
constexpr std::int32_t kSchuetze = 4;
constexpr std::int32_t kScheibe = 47;
constexpr std::int32_t kWettbewerb = 48;
constexpr std::int32_t kWaffe = 49;

// Roles under which the display reads the lane files.
constexpr int kRoleLane = -1;
constexpr int kRoleAnnouncement = 2;

class TickFlag {
public:
    explicit TickFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TickFlag() { m_flag = false; }
    TickFlag(const TickFlag&) = delete;
    TickFlag& operator=(const TickFlag&) = delete;

private:
    bool& m_flag;
};

// Reports a tick to the observers however the tick ends.
class ObservedTick {
public:
    explicit ObservedTick(const QList<WatchdogObserver*>& observers) : m_observers(observers)
    {
        for (WatchdogObserver* observer : m_observers)
            observer->tickStarted();
    }
    ~ObservedTick()
    {
        for (WatchdogObserver* observer : m_observers)
            observer->tickFinished();
    }
    ObservedTick(const ObservedTick&) = delete;
    ObservedTick& operator=(const ObservedTick&) = delete;

private:
    const QList<WatchdogObserver*> m_observers;
};

} // namespace

Watchdog::Watchdog(
    ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste, EventLog* log)
    : m_state(state), m_timers(timers), m_scheiben(scheiben), m_rangliste(rangliste), m_log(log)
{
}

void Watchdog::addObserver(WatchdogObserver* observer)
{
    if (observer && !m_observers.contains(observer))
        m_observers.append(observer);
}

void Watchdog::removeObserver(WatchdogObserver* observer)
{
    m_observers.removeAll(observer);
}

void Watchdog::note(int lane, const QString& file, const QString& what)
{
    if (m_log)
        m_log->write(lane, file, what);
}

void Watchdog::tick()
{
    // A box opened from a tick runs its own event loop; the timer must not
    // start a second tick inside it.
    if (m_inTick || Dialogs::messageOpen())
        return;
    const TickFlag running(m_inTick);
    const ObservedTick observed(m_observers);
    // Every lane tests for its control file; a folder is listed at most once
    // per tick for the names that differ in letter case only.
    const DirectoryListingCache listings;
    const Einstellungen& s = m_state.settings;

    if (s.FreieWerbung == 1 && !m_timers.tmrWerbePause.isEnabled() && !m_timers.tmrWerbung.isEnabled())
        m_timers.tmrWerbePause.setEnabled(true);

    if (m_state.pages.RanglisteAktiv != 0)
        return;

    int first = 1;
    int last = s.Scheibenanzahl;
    if (s.AnfEnde == 1) {
        first = s.AnfScheibe;
        last = s.EndScheibe;
    }

    if (m_rangliste.isViewVisible())
        m_rangliste.hideView();

    if (s.VerbindungsArt != 0)
        pollLanes2002(first, last);
    else
        pollLanesAlt(first, last);
}

void Watchdog::pollLanes2002(int first, int last)
{
    const Einstellungen& s = m_state.settings;
    for (int lane = first; lane <= last; ++lane) {
        // A lane without a window keeps its messages until the window exists.
        if (!m_scheiben.at(lane))
            continue;
        QString record;
        ReceiveFault fault;
        const std::uint8_t result = s.AnzeigeServerNr == 1
            ? Austausch2002Server2(record, 1, lane, 1, s.NetzwerkPfad, ExchangeDirection::Receive, kRoleLane, &fault)
            : Austausch2002(record, 1, lane, 1, s.NetzwerkPfad, ExchangeDirection::Receive, kRoleLane, &fault);
        if (result == ExchangeCode::FileError)
            note(lane, fault.file, fault.what);
        if (result != ExchangeCode::Done)
            continue;
        handleRecord(lane, record);
        if (LaneTarget* target = m_scheiben.at(lane))
            target->Refresh();
        for (WatchdogObserver* observer : m_observers)
            observer->messageHandled(lane, record);
    }
}

void Watchdog::handleRecord(int lane, const QString& record)
{
    const LaneMessage message = SatzZerlegen(record);
    if (!message.wellFormed)
        note(lane, messageFile2002(lane), QStringLiteral("malformed record: ") + record);
    // Looked up again: a syntax-error box may have run the event loop.
    LaneTarget* target = m_scheiben.at(lane);
    if (!target)
        return;

    // A file name that does not stay inside the exchange folder counts as a
    // missing file: the window is not asked to load anything.
    switch (message.B) {
    case kErgebnisse:
        if (const auto datei = namedFile(lane, message.N, QStringLiteral("results")))
            loadResults(lane, *target, *datei);
        break;
    case kProbe:
        target->SetProbe(message.N != QLatin1String("0"));
        break;
    case kSchuetze:
        target->setGTitelName(message.N);
        break;
    case kScheibe:
        if (const auto datei = definitionFile(lane, message.N, QStringLiteral("target definition"))) {
            target->HS_Laden(*datei);
            target->setScheibe_ZoomNummer(0);
            target->Zoom(true);
        }
        break;
    case kWettbewerb:
        if (const auto datei = definitionFile(lane, message.N, QStringLiteral("competition definition"))) {
            target->Init2002();
            target->HD_Laden(*datei);
        }
        break;
    case kWaffe:
        if (const auto datei = definitionFile(lane, message.N, QStringLiteral("weapon definition")))
            target->HW_Laden(*datei);
        break;
    default:
        break;
    }
}

void Watchdog::pollLanesAlt(int first, int last)
{
    const Einstellungen& s = m_state.settings;
    if (const auto places = FileLookup::findFile(FileLookup::join(s.NetzwerkPfad, QStringLiteral("HPlatz.hwv"))))
        PlaetzeLaden(*places);

    for (int lane = first; lane <= last; ++lane) {
        if (!m_scheiben.at(lane))
            continue;
        QString value;
        ReceiveFault fault;
        const auto receive = [&](int role) {
            const std::uint8_t result
                = AustauschAlt(value, lane, 1, s.NetzwerkPfad, ExchangeDirection::Receive, role, &fault);
            if (result == ExchangeCode::FileError)
                note(lane, fault.file, fault.what);
            return result == ExchangeCode::Done;
        };
        if (receive(kRoleAnnouncement)) {
            if (LaneTarget* target = m_scheiben.at(lane))
                target->Init(value);
            for (WatchdogObserver* observer : m_observers)
                observer->messageHandled(lane, value);
        }
        if (receive(kRoleLane)) {
            if (LaneTarget* target = m_scheiben.at(lane)) {
                loadResults(lane, *target, resultsPathAlt(value));
                target->Refresh();
            }
            for (WatchdogObserver* observer : m_observers)
                observer->messageHandled(lane, value);
        }
    }
}

void Watchdog::PlaetzeLaden(const QString& path)
{
    {
        // Locked against the server while read: a file it is still writing
        // cannot be opened and stays for a later tick instead of being lost.
        SequentialReader reader(path);
        if (!reader.open(true)) {
            note(0, path, QStringLiteral("places file could not be opened"));
            return;
        }
        try {
            while (!reader.atEnd()) {
                const auto lane = VbNumbers::toInt16(reader.readNumber());
                const auto place = VbNumbers::toInt16(reader.readNumber());
                if (!lane || !place) {
                    note(0, path, QStringLiteral("places file holds a number out of range"));
                    break;
                }
                if (*lane > m_state.settings.Scheibenanzahl)
                    continue;
                if (LaneTarget* target = m_scheiben.at(*lane)) {
                    target->setPlatz(*place);
                    target->TextBelegen();
                    target->refreshPlatz();
                }
            }
        } catch (const SequentialReadError&) {
            // The rest of the file is skipped; it goes all the same.
            note(0, path, QStringLiteral("places file ends within a pair"));
        }
    }
    if (!QFile::remove(path))
        note(0, path, QStringLiteral("places file could not be deleted"));
}

void Watchdog::loadResults(int lane, LaneTarget& target, const QString& datei)
{
    if (target.LadeErgebnisse(datei))
        return;
    note(lane, datei,
        FileLookup::findFile(datei) ? QStringLiteral("results file could not be read")
                                    : QStringLiteral("results file missing"));
}

std::optional<QString> Watchdog::namedFile(int lane, const QString& name, const QString& kind)
{
    auto datei = serverFile(name);
    if (!datei)
        note(lane, name, kind + QStringLiteral(" file named outside the exchange folder"));
    return datei;
}

std::optional<QString> Watchdog::definitionFile(int lane, const QString& name, const QString& kind)
{
    auto datei = namedFile(lane, name, kind);
    // The window passes over a missing definition and keeps the one it has.
    if (datei && !FileLookup::findFile(*datei))
        note(lane, *datei, kind + QStringLiteral(" file missing"));
    return datei;
}

QString Watchdog::messageFile2002(int lane) const
{
    const Einstellungen& s = m_state.settings;
    const QString name = s.AnzeigeServerNr == 1 ? Dateiname2002Server2(1, lane, kRoleLane, ExchangeDirection::Receive)
                                                : Dateiname2002(1, lane, kRoleLane, ExchangeDirection::Receive);
    return FileLookup::join(s.NetzwerkPfad, name) + QStringLiteral(".nrt");
}

std::optional<QString> Watchdog::serverFile(const QString& name) const
{
    if (name.isEmpty())
        return std::nullopt;
    return FileLookup::resolveInside(m_state.settings.NetzwerkPfad, name);
}

QString Watchdog::resultsPathAlt(const QString& text) const
{
    // The older server names the results file by its full path; a relative
    // name is taken inside the exchange folder.
    if (const auto inside = serverFile(text))
        return *inside;
    return FileLookup::toNative(text);
}
