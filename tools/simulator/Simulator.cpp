#include "Simulator.h"

#include "DefinitionPublisher.h"
#include "PlacesFile.h"
#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "exchange/MessageFileNames.h"
#include "platform/FileLookup.h"
#include "target/ResultsFileWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {

// The server's roles: complementary to the display's -1 (lane records and
// results) and 2 (announcements of the older protocol).
constexpr int kServerRole = 1;
constexpr int kAnnouncementRole = 2;

// Message types of the 2002 protocol.
constexpr int kErgebnisse = 1;
constexpr int kProbe = 2;
constexpr int kSchuetze = 4;
constexpr int kScheibe = 47;
constexpr int kWettbewerb = 48;
constexpr int kWaffe = 49;

constexpr qint64 kRankingPollMs = 50;

} // namespace

Simulator::Simulator(SimulatorOptions options, QTextStream& log)
    : m_options(std::move(options)), m_log(log), m_timing(m_options.seed ^ 0x5eedu)
{
}

Simulator::~Simulator() = default;

bool Simulator::prepare(QString& error)
{
    if (!QDir().mkpath(m_options.exchangeDir)) {
        error = QStringLiteral("cannot create %1").arg(m_options.exchangeDir);
        return false;
    }
    QDir().mkpath(FileLookup::join(m_options.exchangeDir, QStringLiteral("Ergebnisse")));

    QList<Discipline> disciplines;
    if (!m_options.definitionsDir.isEmpty()) {
        const auto own = DefinitionPublisher::fromDirectory(m_options.definitionsDir, m_options.exchangeDir, error);
        if (!own)
            return false;
        disciplines << *own;
    } else {
        disciplines = Discipline::builtIn();
        for (const Discipline& d : disciplines) {
            if (!DefinitionPublisher::publish(m_options.exchangeDir, d)) {
                error = QStringLiteral("cannot write the definitions of %1").arg(d.kurzname);
                return false;
            }
        }
    }

    const int lanes = m_options.lanes;
    for (int i = 1; i <= lanes; ++i) {
        Lane lane;
        // Alternating disciplines make a mixed range.
        lane.match = std::make_unique<LaneMatch>(i, disciplines[(i - 1) % disciplines.size()], m_options.seed);
        if (m_options.messages > 0)
            lane.budget = m_options.messages / lanes + (i <= m_options.messages % lanes ? 1 : 0);
        m_lanes.push_back(std::move(lane));
    }

    if (!m_options.rankingDir.isEmpty()) {
        QDir().mkpath(m_options.rankingDir);
        m_ranking = std::make_unique<RankingResponder>(m_options.rankingDir, m_options.serverId);
    }
    return true;
}

qint64 Simulator::jitteredPace()
{
    // Lanes do not fire in step: 60 % to 140 % of the pace.
    return static_cast<qint64>(m_options.paceMs * (0.6 + 0.8 * m_timing.uniform()));
}

QString Simulator::record(int lane, int b, const QString& n) const
{
    return QStringLiteral("A#1;S#1;L#%1;B#%2;N#%3").arg(lane).arg(b).arg(n);
}

std::optional<Simulator::Outgoing> Simulator::nextOutgoing(Lane& lane)
{
    // Events the protocol has no message for pass at once; only a pause
    // takes time.
    for (;;) {
        const LaneMatch::Event event = lane.match->next();
        if (event == LaneMatch::Event::Pause)
            return std::nullopt;
        if (auto out = outgoingFor(lane, event))
            return out;
    }
}

std::optional<Simulator::Outgoing> Simulator::outgoingFor(Lane& lane, LaneMatch::Event event)
{
    const LaneMatch& match = *lane.match;
    const int number = match.lane();
    const bool alt = m_options.protocol == SimProtocol::TelvoxAlt;
    const bool server2 = m_options.protocol == SimProtocol::Telvox2002Server2;

    Outgoing out;
    out.seq = lane.seq + 1;
    out.fileName = server2 ? Dateiname2002Server2(1, number, kServerRole, ExchangeDirection::Send)
                           : Dateiname2002(1, number, kServerRole, ExchangeDirection::Send);
    const Discipline& d = match.discipline();
    switch (event) {
    case LaneMatch::Event::Pause:
        return std::nullopt;
    case LaneMatch::Event::Wettbewerb:
    case LaneMatch::Event::Scheibe:
    case LaneMatch::Event::Waffe:
    case LaneMatch::Event::ProbeAn:
    case LaneMatch::Event::ProbeAus:
        // The older protocol announces the discipline number instead and
        // carries the sighting flag in the results file only.
        if (alt)
            return std::nullopt;
        if (event == LaneMatch::Event::Wettbewerb)
            out.value = record(number, kWettbewerb, d.wettbewerbDatei);
        else if (event == LaneMatch::Event::Scheibe)
            out.value = record(number, kScheibe, d.scheibeDatei);
        else if (event == LaneMatch::Event::Waffe)
            out.value = record(number, kWaffe, d.waffeDatei);
        else
            out.value = record(number, kProbe, match.inMatch() ? QStringLiteral("0") : QStringLiteral("1"));
        return out;
    case LaneMatch::Event::Schuetze:
        if (alt) {
            out.fileName = DateinameAlt(number, kAnnouncementRole, ExchangeDirection::Send);
            out.value = QStringLiteral("%1$%2$%3").arg(number).arg(d.disziplinNr, match.shooter().displayName());
        } else {
            out.value = record(number, kSchuetze, match.shooter().displayName());
        }
        return out;
    case LaneMatch::Event::Schuss: {
        // Two files per lane in turn: the display may still be reading the
        // previous one when the next shot is written.
        const QString name = QStringLiteral("Bahn%1%2.erg")
                                 .arg(number)
                                 .arg(lane.resultsToggle++ % 2 == 0 ? QLatin1Char('a') : QLatin1Char('b'));
        out.writesResults = true;
        out.resultsPath = FileLookup::join(FileLookup::join(m_options.exchangeDir, QStringLiteral("Ergebnisse")), name);
        if (alt) {
            out.fileName = DateinameAlt(number, kServerRole, ExchangeDirection::Send);
            out.value = QDir::toNativeSeparators(QFileInfo(out.resultsPath).absoluteFilePath());
            m_placesDirty = true;
        } else {
            out.value = record(number, kErgebnisse, QStringLiteral("Ergebnisse\\") + name);
        }
        return out;
    }
    }
    return std::nullopt;
}

std::uint8_t Simulator::send(const Outgoing& outgoing, int lane)
{
    QString value = outgoing.value;
    switch (m_options.protocol) {
    case SimProtocol::Telvox2002:
        return Austausch2002(value, 1, lane, 1, m_options.exchangeDir, ExchangeDirection::Send, kServerRole);
    case SimProtocol::Telvox2002Server2:
        return Austausch2002Server2(value, 1, lane, 1, m_options.exchangeDir, ExchangeDirection::Send, kServerRole);
    case SimProtocol::TelvoxAlt: {
        const bool announcement = outgoing.fileName.startsWith(QLatin1String("HAnz"));
        return AustauschAlt(value, lane, 1, m_options.exchangeDir, ExchangeDirection::Send,
            announcement ? kAnnouncementRole : kServerRole);
    }
    }
    return ExchangeCode::UnknownDirection;
}

bool Simulator::serveLane(Lane& lane, qint64 now)
{
    if (!lane.waitingControl.isEmpty()) {
        if (QFileInfo::exists(lane.waitingControl))
            return false;
        lane.waitingControl.clear();
    }
    if (lane.budget == 0 || now < lane.dueAt)
        return false;

    if (!lane.pending) {
        lane.pending = nextOutgoing(lane);
        if (!lane.pending) {
            lane.dueAt = now + jitteredPace();
            return false;
        }
    }
    const Outgoing& out = *lane.pending;
    if (out.writesResults) {
        TargetRecords records = lane.match->records();
        // The message number travels in the results file, so a reader can
        // tell which message a file belongs to.
        records.Kopfwerte[6] = TaggedValue(std::int32_t(out.seq));
        if (!ResultsFileWriter::write(out.resultsPath, records))
            return false;
    }
    // 2: an older message (of a previous run) still waits; 3: try again later.
    if (send(out, lane.match->lane()) != ExchangeCode::Done)
        return false;

    lane.seq = out.seq;
    lane.waitingControl = FileLookup::join(m_options.exchangeDir, out.fileName + QStringLiteral(".ctl"));
    if (lane.budget > 0)
        --lane.budget;
    ++m_sent;
    if (!m_options.quiet) {
        m_log << "lane=" << lane.match->lane() << " seq=" << out.seq << " file=" << out.fileName
              << " value=" << out.value << Qt::endl;
    }
    lane.pending.reset();
    lane.dueAt = now + jitteredPace();
    return true;
}

QList<RankingEntry> Simulator::rankingEntries(const QString& request) const
{
    // Request: competition $ discipline $ class $ team $ server id.
    const QStringList parts = request.split(QLatin1Char('$'));
    bool ok = false;
    const int disziplin = parts.value(1).toInt(&ok);

    QList<RankingEntry> all;
    QList<RankingEntry> matching;
    for (const Lane& lane : m_lanes) {
        const LaneMatch& match = *lane.match;
        RankingEntry e;
        e.name = match.shooter().name;
        e.vorname = match.shooter().vorname;
        e.verein = match.shooter().verein;
        e.totalTenths = match.matchTotalTenths();
        e.totalText = match.matchTotalText();
        e.lane = match.lane();
        e.shots = match.matchShots();
        e.series = match.seriesTexts();
        if (e.name.isEmpty())
            continue;
        all << e;
        if (ok && match.discipline().rankingId == disziplin)
            matching << e;
    }
    return matching.isEmpty() ? all : matching;
}

void Simulator::serveRanking()
{
    if (!m_ranking)
        return;
    const QString line = m_ranking->poll([this](const QString& request) { return rankingEntries(request); });
    if (!line.isEmpty() && !m_options.quiet)
        m_log << line << Qt::endl;
}

void Simulator::servePlaces()
{
    if (!m_placesDirty)
        return;
    QList<RankingEntry> entries;
    for (const Lane& lane : m_lanes) {
        if (lane.match->matchShots() == 0)
            continue;
        RankingEntry e;
        e.lane = lane.match->lane();
        e.totalTenths = lane.match->matchTotalTenths();
        entries << e;
    }
    if (entries.isEmpty() || PlacesFile::write(m_options.exchangeDir, RankingTable::places(entries)))
        m_placesDirty = false;
}

bool Simulator::step(qint64 now)
{
    bool sent = false;
    for (Lane& lane : m_lanes)
        sent = serveLane(lane, now) || sent;
    servePlaces();
    if (now >= m_nextRankingPoll) {
        serveRanking();
        m_nextRankingPoll = now + kRankingPollMs;
    }
    return sent;
}

bool Simulator::finished() const
{
    if (m_options.messages <= 0)
        return false;
    for (const Lane& lane : m_lanes) {
        if (lane.budget != 0 || (!lane.waitingControl.isEmpty() && QFileInfo::exists(lane.waitingControl)))
            return false;
    }
    return !m_placesDirty && !QFileInfo::exists(PlacesFile::path(m_options.exchangeDir));
}

int Simulator::run()
{
    QElapsedTimer clock;
    clock.start();
    // Waiting for the display: do not spin on a shared machine. At the fastest
    // pace the pause grows while every lane waits: the display takes a lane's
    // message once a tick, and the first one taken still gets the next out
    // within milliseconds.
    const int pacedPauseMs = std::clamp(m_options.paceMs, 1, 20);
    int pauseMs = 1;
    while (!finished()) {
        if (step(clock.elapsed())) {
            pauseMs = 1;
            continue;
        }
        QThread::msleep(static_cast<unsigned long>(m_options.paceMs > 0 ? pacedPauseMs : pauseMs));
        pauseMs = std::min(2 * pauseMs, 16);
    }
    m_log << "done" << Qt::endl;
    return 0;
}
