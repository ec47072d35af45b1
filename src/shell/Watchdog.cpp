#include "shell/Watchdog.h"

#include "diag/EventLog.h"
#include "exchange/ExchangeFolder.h"
#include "exchange/SatzZerlegen.h"
#include "platform/Dialogs.h"
#include "platform/FileLookup.h"
#include "platform/FileSnapshot.h"
#include "platform/FileSystem.h"
#include "platform/SequentialFile.h"
#include "platform/VbNumbers.h"
#include "shell/FrameTimers.h"
#include "shell/LaneTarget.h"
#include "shell/ProgramState.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"
#include "shell/WatchdogObserver.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>

namespace {

// Message types of the 2002 protocol that a target acts on.
constexpr std::int32_t kErgebnisse = 1;
constexpr std::int32_t kProbe = 2;
constexpr std::int32_t kSchuetze = 4;
constexpr std::int32_t kScheibe = 47;
constexpr std::int32_t kWettbewerb = 48;
constexpr std::int32_t kWaffe = 49;

// The longest the user-interface thread applies messages before it lets the
// other events of the screen run. The repaint that the windows asked for
// comes in the same pass, so the slice is well under the 50 ms the screen
// may be held.
constexpr qint64 kSliceMs = 10;

class Flag {
public:
    explicit Flag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flag() { m_flag = false; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& m_flag;
};

} // namespace

// One tick's work. The workers fill in what they find; the user-interface
// thread applies it in lane order.
struct Watchdog::Batch {
    // Fixed when the tick starts.
    QString folder;
    bool olderProtocol = false;
    bool server2 = false;
    QList<int> polled;

    QMutex mutex;
    // Filled by the workers.
    bool listed = false;
    bool reachable = true;
    QString foundFolder;
    std::optional<PlacesFetch> places;
    // The lanes with a message waiting, ascending.
    QList<int> waiting;
    QHash<int, LaneFetch> fetched;

    // Progress of applying.
    bool started = false;
    qsizetype next = 0;
};

Watchdog::Watchdog(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste,
    EventLog* log, FileSystem* files, int threads)
    : m_state(state), m_timers(timers), m_scheiben(scheiben), m_rangliste(rangliste), m_log(log),
      m_files(files ? *files : FileSystem::disk()), m_workers(threads)
{
}

Watchdog::~Watchdog()
{
    m_workers.waitForDone();
    if (!m_applying) {
        // Without slices: nothing may be left for an event that never comes.
        while (!m_batches.empty()) {
            const std::size_t before = m_batches.size();
            drain();
            if (m_batches.size() == before)
                break;
        }
    }
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

void Watchdog::noteFault(int lane, const Received& received)
{
    if (received.code == ExchangeCode::FileError)
        note(lane, received.fault.file, received.fault.what);
}

void Watchdog::tick()
{
    // A box opened while applying runs its own event loop; the timer must not
    // start a tick inside it.
    if (m_applying || Dialogs::messageOpen())
        return;
    for (WatchdogObserver* observer : m_observers)
        observer->tickStarted();
    const Einstellungen& s = m_state.settings;

    if (s.FreieWerbung == 1 && !m_timers.tmrWerbePause.isEnabled() && !m_timers.tmrWerbung.isEnabled())
        m_timers.tmrWerbePause.setEnabled(true);

    // Every tick is reported finished in the order it started, after the
    // ticks before it: one that does no file work waits in line too.
    auto batch = std::make_shared<Batch>();
    m_batches.push_back(batch);
    const auto noFileWork = [this, &batch] {
        {
            const QMutexLocker lock(&batch->mutex);
            batch->listed = true;
        }
        drain();
    };
    if (m_state.pages.RanglisteAktiv != 0) {
        noFileWork();
        return;
    }

    int first = 1;
    int last = s.Scheibenanzahl;
    if (s.AnfEnde == 1) {
        first = s.AnfScheibe;
        last = s.EndScheibe;
    }

    if (m_rangliste.isViewVisible())
        m_rangliste.hideView();

    // An earlier tick has not even listed the folder yet (a share that
    // answers slowly): a second listing behind it would only queue up.
    if (const std::shared_ptr<Batch> listing = m_lastListing.lock()) {
        QMutexLocker lock(&listing->mutex);
        if (!listing->listed) {
            lock.unlock();
            noFileWork();
            return;
        }
    }
    batch->folder = s.NetzwerkPfad;
    batch->olderProtocol = s.VerbindungsArt == 0;
    batch->server2 = s.AnzeigeServerNr == 1;
    for (int lane = first; lane <= last; ++lane) {
        // A lane without a window keeps its messages until the window exists;
        // a lane whose last message is not applied yet waits for it.
        if (m_scheiben.at(lane) && !m_inFlight.contains(lane)) {
            batch->polled.append(lane);
            m_inFlight.insert(lane);
        }
    }
    if (batch->polled.isEmpty()) {
        noFileWork();
        return;
    }
    m_lastListing = batch;

    FileSystem& files = m_files;
    FileWorkers& workers = m_workers;
    const auto wake = [this] {
        m_drainQueued = false;
        drain();
    };
    m_workers.run([batch, &files, &workers, wake] {
        // One listing for the whole tick; the lanes share it.
        auto folder = std::make_shared<ExchangeFolder>(files, batch->folder);
        std::optional<PlacesFetch> places;
        if (batch->olderProtocol && folder->reachable()) {
            if (const auto path = folder->entry(QStringLiteral("HPlatz.hwv")))
                places = LaneFetcher::fetchPlaces(files, *path);
        }
        QList<int> waiting;
        if (folder->reachable()) {
            for (const int lane : std::as_const(batch->polled)) {
                if (LaneFetcher::hasMessage(*folder, lane, batch->olderProtocol, batch->server2))
                    waiting.append(lane);
            }
        }
        {
            const QMutexLocker lock(&batch->mutex);
            batch->listed = true;
            batch->reachable = folder->reachable();
            batch->foundFolder = folder->path();
            batch->places = places;
            batch->waiting = waiting;
        }
        workers.handBack(wake);
        for (const int lane : std::as_const(waiting)) {
            workers.run([batch, folder, lane, &workers, wake] {
                LaneFetch fetch = batch->olderProtocol ? LaneFetcher::fetchAlt(*folder, lane)
                                                       : LaneFetcher::fetch2002(*folder, lane, batch->server2);
                {
                    const QMutexLocker lock(&batch->mutex);
                    batch->fetched.insert(lane, std::move(fetch));
                }
                workers.handBack(wake);
            });
        }
    });
}

void Watchdog::finishTick()
{
    for (WatchdogObserver* observer : m_observers)
        observer->tickFinished();
}

void Watchdog::drain()
{
    if (m_applying)
        return;
    const Flag applying(m_applying);
    QElapsedTimer slice;
    slice.start();
    while (!m_batches.empty()) {
        const std::shared_ptr<Batch> batch = m_batches.front();
        {
            const QMutexLocker lock(&batch->mutex);
            if (!batch->listed)
                return;
        }
        if (!batch->started)
            startApplying(*batch);
        while (batch->next < batch->waiting.size()) {
            const int lane = batch->waiting.at(batch->next);
            std::optional<LaneFetch> fetch;
            {
                const QMutexLocker lock(&batch->mutex);
                const auto it = batch->fetched.find(lane);
                if (it != batch->fetched.end()) {
                    fetch = std::move(it.value());
                    batch->fetched.erase(it);
                }
            }
            if (!fetch)
                return;
            ++batch->next;
            if (batch->olderProtocol)
                applyAlt(*fetch);
            else
                applyRecord(*fetch);
            m_inFlight.remove(lane);
            if (m_workers.threaded() && slice.elapsed() >= kSliceMs) {
                // The rest after the screen's own events.
                if (!m_drainQueued) {
                    m_drainQueued = true;
                    m_workers.handBack([this] {
                        m_drainQueued = false;
                        drain();
                    });
                }
                return;
            }
        }
        m_batches.pop_front();
        finishTick();
    }
}

void Watchdog::startApplying(Batch& batch)
{
    batch.started = true;
    // The loss and the return of the folder are written down once each, not
    // for every lane of every tick.
    if (!batch.reachable && !m_folderLost)
        note(0, FileLookup::toNative(batch.folder), QStringLiteral("exchange folder unreachable"));
    else if (batch.reachable && m_folderLost)
        note(0, batch.foundFolder, QStringLiteral("exchange folder reachable again"));
    m_folderLost = !batch.reachable;

    if (batch.places)
        applyPlaces(*batch.places);
    for (const int lane : std::as_const(batch.polled)) {
        if (!batch.waiting.contains(lane))
            m_inFlight.remove(lane);
    }
}

void Watchdog::applyRecord(const LaneFetch& fetch)
{
    const int lane = fetch.lane;
    if (!fetch.message.done()) {
        noteFault(lane, fetch.message);
        return;
    }
    const QString& record = fetch.message.value;
    const LaneMessage message = SatzZerlegen(record);
    if (!message.wellFormed)
        note(lane, fetch.message.dataFile, QStringLiteral("malformed record: ") + record);
    // Looked up again: a syntax-error box may have run the event loop.
    LaneTarget* target = m_scheiben.at(lane);
    if (target) {
        QHash<QString, FileRead> ahead;
        if (fetch.file && !fetch.file->refused)
            ahead.insert(fetch.file->path, fetch.file->content);
        const FileSnapshot snapshot(ahead);
        // A name that does not stay inside the exchange folder counts as a
        // missing file: only the load is left out.
        switch (message.B) {
        case kErgebnisse:
            if (fetch.file)
                loadResults(lane, *target, *fetch.file);
            break;
        case kProbe:
            target->SetProbe(message.N != QLatin1String("0"));
            break;
        case kSchuetze:
            target->setGTitelName(message.N);
            break;
        case kScheibe:
            if (fetch.file && definitionFile(lane, *fetch.file, QStringLiteral("target definition")))
                target->HS_Laden(fetch.file->path);
            target->setScheibe_ZoomNummer(0);
            target->Zoom(true);
            break;
        case kWettbewerb:
            target->Init2002();
            if (fetch.file && definitionFile(lane, *fetch.file, QStringLiteral("competition definition")))
                target->HD_Laden(fetch.file->path);
            break;
        case kWaffe:
            if (fetch.file && definitionFile(lane, *fetch.file, QStringLiteral("weapon definition")))
                target->HW_Laden(fetch.file->path);
            break;
        default:
            break;
        }
        target->Refresh();
    }
    for (WatchdogObserver* observer : m_observers)
        observer->messageHandled(lane, record);
}

void Watchdog::applyAlt(const LaneFetch& fetch)
{
    const int lane = fetch.lane;
    noteFault(lane, fetch.message);
    noteFault(lane, fetch.results);
    if (fetch.message.done()) {
        if (LaneTarget* target = m_scheiben.at(lane))
            target->Init(fetch.message.value);
        for (WatchdogObserver* observer : m_observers)
            observer->messageHandled(lane, fetch.message.value);
    }
    if (fetch.results.done()) {
        if (LaneTarget* target = m_scheiben.at(lane)) {
            if (fetch.file) {
                QHash<QString, FileRead> ahead;
                if (!fetch.file->refused)
                    ahead.insert(fetch.file->path, fetch.file->content);
                const FileSnapshot snapshot(ahead);
                loadResults(lane, *target, *fetch.file);
            }
            target->Refresh();
        }
        for (WatchdogObserver* observer : m_observers)
            observer->messageHandled(lane, fetch.results.value);
    }
}

void Watchdog::loadResults(int lane, LaneTarget& target, const NamedFile& file)
{
    if (file.refused) {
        note(lane, file.name, QStringLiteral("results file named outside the exchange folder"));
        return;
    }
    if (target.LadeErgebnisse(file.path))
        return;
    note(lane, file.path,
        file.content.status == FileRead::Status::Missing ? QStringLiteral("results file missing")
                                                         : QStringLiteral("results file could not be read"));
}

bool Watchdog::definitionFile(int lane, const NamedFile& file, const QString& kind)
{
    if (file.refused) {
        note(lane, file.name, kind + QStringLiteral(" file named outside the exchange folder"));
        return false;
    }
    // The window passes over a missing definition and keeps the one it has.
    if (file.content.status == FileRead::Status::Missing)
        note(lane, file.path, kind + QStringLiteral(" file missing"));
    return true;
}

void Watchdog::applyPlaces(const PlacesFetch& places)
{
    const QString& path = places.path;
    if (!places.content.ok()) {
        // Locked against the server while read: a file it is still writing
        // cannot be opened and stays for a later tick instead of being lost.
        note(0, path, QStringLiteral("places file could not be opened"));
        return;
    }
    const auto reader = SequentialReader::fromBytes(places.content.bytes);
    try {
        while (!reader->atEnd()) {
            const auto lane = VbNumbers::toInt16(reader->readNumber());
            const auto place = VbNumbers::toInt16(reader->readNumber());
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
    if (!places.removed)
        note(0, path, QStringLiteral("places file could not be deleted"));
}

void Watchdog::PlaetzeLaden(const QString& path)
{
    applyPlaces(LaneFetcher::fetchPlaces(m_files, path));
}
