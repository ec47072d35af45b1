#include "web/WebView.h"

#include "diag/EventLog.h"
#include "shell/ProgramState.h"
#include "shell/SettingsFile.h"
#include "target/Scheibe.h"
#include "web/LaneSnapshot.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QTimer>

std::unique_ptr<WebView> WebView::fromSettingsFile()
{
    const WebSettings settings = WebSettings::read(SettingsFile::path());
    if (!settings.enabled())
        return nullptr;
    return std::make_unique<WebView>(settings);
}

WebView::WebView(const WebSettings& settings, QObject* parent) : QObject(parent), m_settings(settings)
{
    WebWorker::Config config;
    config.address = settings.adresse.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0
        ? QHostAddress(QHostAddress::LocalHost)
        : QHostAddress(settings.adresse);
    // An address that is none would listen on every interface.
    if (config.address.isNull()) {
        serverFailed(QStringLiteral("not an address"));
        return;
    }
    config.port = settings.port;
    config.maxConnections = settings.maxVerbindungen;
    m_server = std::make_unique<WebServer>(config, this);
    connect(m_server.get(), &WebServer::listening, this, &WebView::listening);
    connect(m_server.get(), &WebServer::failed, this, &WebView::serverFailed);
}

WebView::~WebView() = default;

QList<int> WebView::laneRange(const Einstellungen& settings)
{
    const int first = settings.AnfEnde == 1 ? settings.AnfScheibe : 1;
    const int last = settings.AnfEnde == 1 ? settings.EndScheibe : settings.Scheibenanzahl;
    QList<int> lanes;
    for (int lane = std::max(first, 1); lane <= last; ++lane)
        lanes.append(lane);
    return lanes;
}

void WebView::frameLoaded(LaneSource lanes, QWidget* rangliste)
{
    m_lanes = std::move(lanes);
    m_range.clear();
    for (int lane : laneRange(ProgramState::instance().settings)) {
        if (m_lanes && m_lanes(lane))
            m_range.append(lane);
    }
    if (m_server)
        m_server->resetLanes(m_range);
    m_changed = m_range;
    handOver();

    // The ranking window refills its queue from the ranking file: what it
    // is given then is the ranking the page shows.
    m_rankingQueue = rangliste ? rangliste->findChild<QListWidget*>(QStringLiteral("lbxCSVIn")) : nullptr;
    if (m_rankingQueue) {
        connect(m_rankingQueue->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { rankingRefilled(first, last); });
    }
}

// The lanes a tick has taken are handed over together once the tick is
// done, so that the server draws them while the display waits for its next
// tick rather than during this one.
void WebView::laneUpdated(int lane)
{
    if (!m_range.contains(lane) || m_changed.contains(lane))
        return;
    if (m_changed.isEmpty())
        QMetaObject::invokeMethod(this, &WebView::handOver, Qt::QueuedConnection);
    m_changed.append(lane);
}

namespace {

// The settings and the palette the windows paint with.
std::shared_ptr<const LaneSnapshot::Look> currentLook()
{
    return std::make_shared<const LaneSnapshot::Look>(
        LaneSnapshot::Look {ProgramState::instance().settings, QGuiApplication::palette()});
}

} // namespace

void WebView::handOver()
{
    const QList<int> changed = std::exchange(m_changed, {});
    if (!m_server || !m_lanes)
        return;
    const std::shared_ptr<const LaneSnapshot::Look> look = currentLook();
    std::vector<LaneSnapshot> snapshots;
    snapshots.reserve(std::size_t(changed.size()));
    for (int lane : changed) {
        if (const Scheibe* window = m_lanes(lane)) {
            LaneSnapshot& snapshot = snapshots.emplace_back();
            snapshot.lane = lane;
            snapshot.window = window->size();
            snapshot.look = look;
            snapshot.take(window->model());
        }
    }
    if (!snapshots.empty())
        m_server->publishLanes(std::move(snapshots));
}

LaneSnapshot WebView::snapshotOf(int lane, const Scheibe& window)
{
    return LaneSnapshot::of(lane, window.model(), window.size(), currentLook());
}

void WebView::rankingRefilled(int first, int last)
{
    if (!m_rankingQueue || !m_server || first != 0 || last + 1 != m_rankingQueue->count())
        return;
    QStringList lines;
    lines.reserve(m_rankingQueue->count());
    for (int i = 0; i < m_rankingQueue->count(); ++i)
        lines.append(m_rankingQueue->item(i)->text());
    m_server->publishRanking(lines, ProgramState::instance().settings.RLTitel);
}

void WebView::serverFailed(const QString& reason)
{
    EventLog(EventLog::besideProgram())
        .write(0, m_settings.adresse + QLatin1Char(':') + QString::number(m_settings.port),
            QStringLiteral("web view not started: ") + reason);
    // The display goes on without it. The server is not ended inside its own
    // signal.
    QTimer::singleShot(0, this, [this] { m_server.reset(); });
}
