#include "platform/Twips.h"
#include "shell/SettingsFile.h"
#include "shell/frmMDI.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "support/TestData.h"
#include "target/Scheibe.h"
#include "target/target_test_support.h"
#include "web/LaneView.h"
#include "web/WebServer.h"
#include "web/WebView.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

using namespace Qt::StringLiterals;

// The web view: what it serves of a lane, held against the lane's window;
// its settings; and its server, which answers nothing but its page, reads
// nothing from disk, keeps its connections within bounds, drops pages that do
// not keep up and pushes every lane to every page; and, end to end, the page
// in headless Chromium fed by the simulator. Long expected outputs are pinned
// in tests/web/pinned/ (OMR_REGENERATE=1 writes them anew).

namespace {

const QByteArray kSecret = "geheim: nur auf der Platte";

// The server's answer on one connection, until nothing more comes.
QByteArray exchange(quint16 port, const QByteArray& request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(request);
    QByteArray answer;
    while (socket.waitForReadyRead(1000))
        answer += socket.readAll();
    return answer;
}

LaneSnapshot lane(int nr, const QString& name, int shots)
{
    TargetModel model = viewTestTarget();
    viewTestShots(model, shots);
    model.gTitelName = name;
    LaneSnapshot::Look look;
    look.settings.Trefferkreuze = look.settings.TrefferVergroessern = 1;
    return LaneSnapshot::of(nr, model, QSize(300, 600), std::make_shared<const LaneSnapshot::Look>(look));
}

// A page: a WebSocket that keeps what it is sent.
struct Page {
    QWebSocket socket;
    QByteArrayList messages;
    explicit Page(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived, &socket,
            [this](const QByteArray& message) { messages.append(message); });
        socket.open(QUrl(u"ws://127.0.0.1:%1/ws"_s.arg(port)));
    }
    bool has(const QByteArray& text) const { return messages.join().contains(text); }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
};

class WebTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // Left for the rest of the test program: every test here wants them.
        Twips::overrideDpiForTest(96, 96);
        QLocale::setDefault(QLocale::c());
        write(u"geheim.txt"_s, kSecret);
    }
    void start(int maxConnections = 200)
    {
        server.reset();
        server = std::make_unique<WebServer>(WebWorker::Config {QHostAddress::LocalHost, 0, maxConnections});
        QSignalSpy listening(server.get(), &WebServer::listening);
        ASSERT_TRUE(listening.wait(10000));
        port = listening.at(0).at(0).value<quint16>();
    }

    std::unique_ptr<WebServer> server;
    quint16 port = 0;
};

} // namespace

TEST_F(WebTest, ServedStateOfALaneIsWhatItsWindowShows)
{
    // Name, marking options (mark()), shots and what the case changes in the window.
    const std::tuple<const char*, const char*, int, void (*)(Scheibe&)> cases[] = {
        {"sighting-new-shooter", "XG", 0,
            [](Scheibe& w) {
                w.model().records.Scheibe.Probe = TaggedValue(-1), w.setGTitelName(u"Max <Muster> & \"Sohn\""_s);
            }},
        {"match-latest-enlarged-place", "XG", 5, [](Scheibe& w) { w.setPlatz(3); }},
        {"crosses-numbered-mean-series", "XGNM", 23,
            [](Scheibe& w) {
                SchussSatz& satz = w.model().records.AktuellerSatz;
                satz.Gesamt = 221.5f, satz.SerienLetzter = 1, satz.SerienWert[0] = 98.5f, satz.SerienWert[1] = 97.25f;
            }},
        {"circles-picked-shot-short-texts", "XO", 8,
            [](Scheibe& w) {
                s().ZehntelAnzeige = s().AusfAnzeige = 0;
                w.model().records.AktuellerSatz.MarkSchuss = 2, w.setPlatz(12);
            }},
        {"zoomed-hatched-ten", "XGZ", 3,
            [](Scheibe& w) {
                ScheibenDaten& face = w.model().records.Scheibe;
                face.ZehnerRingStyle = TaggedValue(6.0), face.InnenZehnerRadius = TaggedValue(8.0);
                face.InnenZehnerRingStyle = TaggedValue(4.0), w.model().records.AktuellerSatz.Ringwert[2] = 9.8f;
            }},
    };
    // One view for all cases, as the server keeps it from state to state.
    LaneView view;
    for (const auto& [name, marks, shots, change] : cases) {
        ProgramState::reset();
        s().Scheibenanzahl = 8;
        s().ZehntelAnzeige = s().AusfAnzeige = s().SerienErgebnisse = 1;
        mark(QLatin1String(marks));
        Scheibe w;
        w.model() = viewTestTarget();
        viewTestShots(w.model(), shots);
        w.resize(260, 560);
        change(w);
        w.TextBelegen();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.repaint();

        view.update(WebView::snapshotOf(4, w));
        const QByteArray json = view.json(true);
        const QJsonObject state = QJsonDocument::fromJson(json).object();
        QStringList window {u"4"_s, QString::number(w.model().probe())};
        QStringList served {QString::number(state[u"nr"_s].toInt()), QString::number(state[u"probe"_s].toBool())};
        for (const auto& [label, field] : {std::pair {"lblName", "name"}, {"lblGesamt", "gesamt"},
                 {"lblRingwert", "ringwert"}, {"lblSchussNr", "schuss"}, {"lblPlatz", "platz"}})
            window << w.findChild<QLabel*>(QLatin1String(label))->text(),
                served << state[QLatin1String(field)].toString();
        // The series as far as the window shows them.
        for (int i = 0; i < 6; ++i)
            if (const auto* label = w.findChild<QLabel*>(u"lblSerie%1"_s.arg(i)); label->isVisibleTo(&w))
                window << label->text();
        for (const QJsonValue& v : state[u"serien"_s].toArray())
            served << v.toString();
        EXPECT_EQ(served, window) << name;
        // The drawing, checked against the window's paint call for call when
        // it was pinned.
        TestData::expectPinned(u"web/pinned/%1.json"_s.arg(QLatin1String(name)), QString::fromUtf8(json + '\n'));
        EXPECT_EQ(view.json(false), json.left(json.indexOf(",\"face\":")) + '}');
    }
}

TEST_F(WebTest, WebSectionOfTheSettingsFileAndTheLanesServed)
{
    for (const TestData::Line& row : TestData::lines(u"web/web-settings.txt"_s)) {
        const QByteArray section = (row.cell(1) + u"\r\n"_s).toLatin1().replace(" / ", "\r\n");
        write(u"omr_anzeige.ini"_s, "[Options]\r\n" + row.cell(0).toLatin1().replace(" / ", "\r\n") + "\r\n" + section);
        SettingsFile::EinstellungenLaden();
        const WebSettings web = WebSettings::read(SettingsFile::path());
        QStringList lanes;
        for (int lane : WebView::laneRange(s()))
            lanes << QString::number(lane);
        EXPECT_EQ(QVariantList({web.port, web.enabled(), web.adresse, web.maxVerbindungen, lanes.join(u' ')}),
            QVariantList({row.number(2), row.number(2) != 0, row.cell(3), row.number(4), row.cell(5)}))
            << row.where;
        // The settings writer leaves the section as it finds it.
        SettingsFile::EinstellungenSpeichern(FakeTargets(s().Scheibenanzahl));
        EXPECT_TRUE(read(u"omr_anzeige.ini"_s).contains(section)) << row.where;
    }
}

TEST_F(WebTest, HostileRequestsGetAnErrorOrACloseAndNothingFromDisk)
{
    start();
    const WebRoutes routes;
    const QByteArray policy = "Content-Security-Policy: " + routes.securityHeaders("x").front().second;
    static const QRegularExpression repeat(u"\\{(.)\\*(\\d+)\\}"_s);
    for (const TestData::Line& row : TestData::lines(u"web/web-requests.txt"_s)) {
        QString text = row.cell(0);
        for (auto m = repeat.match(text); m.hasMatch(); m = repeat.match(text))
            text.replace(m.capturedStart(), m.capturedLength(), QString(m.captured(2).toInt(), m.captured(1)[0]));
        const QByteArray request = TestData::unescape(text);
        const QByteArray answer
            = exchange(port, request.contains('\n') ? request : request + " HTTP/1.1\r\nHost: x\r\n\r\n");
        // "-": whatever the server's parser makes of it, an error or a close.
        EXPECT_TRUE(row.cell(1) == u"-"
                ? answer.isEmpty() || answer.startsWith("HTTP/1.1 4")
                : answer.startsWith("HTTP/1.1 " + row.cell(1).toLatin1()) && answer.contains(policy))
            << row.where;
        EXPECT_EQ(answer.endsWith(routes.page()), row.number(1) == 200) << row.where;
        EXPECT_FALSE(answer.contains(kSecret)) << row.where;
    }
    // The page loads nothing from elsewhere; the browser test finds its script
    // and style allowed by the policy.
    EXPECT_EQ(routes.page().count("http://") + routes.page().count("https://") + routes.page().count(" src="), 0);
    EXPECT_TRUE(policy.startsWith("Content-Security-Policy: default-src 'none'; script-src 'sha256-"));
    EXPECT_TRUE(routes.securityHeaders("x; script-src *").front().second.endsWith("connect-src 'self'"));
    for (const QByteArray& host : {QByteArray("anzeige:8080"), QByteArray("[fe80::10]:80")})
        EXPECT_TRUE(routes.securityHeaders(host).front().second.endsWith(" ws://" + host)) << host.constData();
}

TEST_F(WebTest, FloodOfConnectionsIsHeldAtTheLimitAndTheViewGoesOn)
{
    start(20);
    std::vector<std::unique_ptr<QTcpSocket>> flood(60);
    for (auto& socket : flood)
        (socket = std::make_unique<QTcpSocket>())->connectToHost(QHostAddress::LocalHost, port);
    const auto open = [&flood] {
        return std::ranges::count_if(flood, [](const auto& s) { return s->state() == QTcpSocket::ConnectedState; });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return open() <= 20; }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(open(), 20);
    server->publishLane(lane(1, u"Flut"_s, 2));
    flood.clear();
    // Once the flood has gone its places are free again.
    std::unique_ptr<Page> page;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (!page || page->closed() ? page = std::make_unique<Page>(port) : page)->has("\"Flut\""); },
        10000));
}

TEST_F(WebTest, PagesGetTheWholeStateThenEveryLaneAndAreDroppedWhenTheyStayBehind)
{
    start();
    server->resetLanes({1, 2});
    server->publishLane(lane(1, u"Anna"_s, 3));
    server->publishRanking({u"1;x;Muster;Max;SV Dorf;391.2;3;40;98;97;99;97;;;;;;;;"_s,
                               u"2;x;Beta;Eva;;600;5;61;100;100;100;100;100;90;10;;;;;"_s},
        u"Luftgewehr"_s);
    Page first(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.messages.size() == 3; }, 10000));
    TestData::expectPinned(u"web/pinned/first-page.txt"_s, QString::fromUtf8(first.messages.join('\n') + '\n'));

    // A page only listens: one that talks too much is closed.
    Page chatty(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chatty.has("hello"); }, 10000));
    for (int i = 0; i <= WebWorker::MaxIncomingMessages; ++i)
        chatty.socket.sendTextMessage(u"x"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chatty.closed(); }, 10000));

    // A page that never reads: round after round leaves it far behind, then
    // rounds for longer than a page may stay behind.
    QTcpSocket slow;
    slow.setReadBufferSize(4096);
    slow.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    slow.connectToHost(QHostAddress::LocalHost, port);
    slow.write("GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    QDeadlineTimer behind(QDeadlineTimer::Forever);
    for (int round = 1; round <= 20 || !behind.hasExpired(); ++round) {
        behind = round == 20 ? QDeadlineTimer(WebWorker::BehindMs + 3000) : behind;
        for (int nr = 1; nr <= 4; ++nr)
            server->publishLane(lane(nr, u"Runde %1"_s.arg(round), 60));
        ASSERT_TRUE(QTest::qWaitFor([&] { return first.has("Runde " + QByteArray::number(round) + '"'); }, 10000));
    }
    slow.setReadBufferSize(0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return slow.readAll(), slow.state() == QAbstractSocket::UnconnectedState; }, 10000));
    EXPECT_FALSE(first.closed());
}

TEST_F(WebTest, PortThatCannotBeBoundIsLoggedAndTheDisplayGoesOn)
{
    start();
    WebView view(WebSettings {port, u"127.0.0.1"_s, 200});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.server(); }, 10000));
    view.laneUpdated(1), view.frameLoaded([](int) { return nullptr; }, nullptr);
    EXPECT_EQ(WebView(WebSettings {8080, u"Schiessstand"_s, 200}).server(), nullptr);
    EXPECT_EQ(read(u"OMRAnzeige.log"_s).count("web view not started"), 2);
    EXPECT_TRUE(read(u"OMRAnzeige.log"_s).contains("127.0.0.1:" + QByteArray::number(port)));
}

// Chromium may take a minute to start on a busy machine.
TEST_F(WebTest, PageInABrowserFedByTheSimulatorShowsEveryLanesShooterAndTotal)
{
    const QDir data(qEnvironmentVariable("OMR_SOURCE_DIR") + u"/data"_s);
    for (const QString& name : data.entryList({u"*.def"_s, u"Sprache_*.ini"_s}, QDir::Files))
        ASSERT_TRUE(QFile::copy(data.filePath(name), file(name)));
    ASSERT_TRUE(QDir(dir()).mkdir(u"exchange"_s));
    start();
    server.reset();
    write(u"omr_anzeige.ini"_s,
        "[Options]\r\nScheibenanzahl=4\r\nScheibenProSeite=4\r\nVerbindungsArt=1\r\nTrefferkreuze=1\r\n"
        "ZehntelAnzeige=1\r\nAusfAnzeige=1\r\nNetzwerkPfad="
            + file(u"exchange"_s).toLocal8Bit() + "\r\n[Web]\r\nPort=" + QByteArray::number(port)
            + "\r\n[Scheibe]\r\nScheibe1=1.10\r\nScheibe2=2.10\r\nScheibe3=1.10\r\nScheibe4=2.10\r\n");

    frmMDI frame;
    frame.show();
    frame.timers().tmrStartUp.fire();
    frame.timers().tmrWatchdog.setInterval(200);
    QProcess simulator, browser;
    simulator.start(qEnvironmentVariable("OMR_BIN_DIR") + u"/omr_simulator"_s,
        {u"--dir"_s, file(u"exchange"_s), u"--lanes"_s, u"4"_s, u"--pace"_s, u"100"_s, u"--seed"_s, u"5"_s,
            u"--messages"_s, u"48"_s, u"--quiet"_s});
    browser.start(u"/usr/bin/chromium"_s,
        {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s, u"--disable-sync"_s,
            u"--disable-background-networking"_s, u"--user-data-dir="_s + file(u"profile"_s),
            u"--remote-debugging-port=0"_s, u"--remote-allow-origins=*"_s, u"--window-size=1280,900"_s,
            u"http://127.0.0.1:%1/"_s.arg(port)});
    // The DevTools address of the browser's first tab, from its own listing.
    const auto pageTarget = [this] {
        const QByteArray active = read(u"profile/DevToolsActivePort"_s), debugPort = active.left(active.indexOf('\n'));
        const QByteArray answer
            = exchange(debugPort.toUShort(), "GET /json/list HTTP/1.1\r\nHost: 127.0.0.1:" + debugPort + "\r\n\r\n");
        for (const QJsonValue& target : QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).array())
            if (target[u"type"_s] == u"page"_s)
                return QUrl(target[u"webSocketDebuggerUrl"_s].toString());
        return QUrl();
    };
    QUrl target;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !(target = pageTarget()).isEmpty(); }, 60000))
        << "Chromium (scripts/install-deps installs it) did not start: "
        << browser.readAllStandardError().right(2000).constData();
    QWebSocket devTools;
    devTools.open(target);

    EXPECT_TRUE(QTest::qWaitFor([&] { return simulator.state() == QProcess::NotRunning; }, 120000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QDir(file(u"exchange"_s)).entryList({u"*.ctl"_s}).isEmpty(); }, 20000));
    QTest::qWait(500);
    QStringList windows;
    for (int lane = 1; lane <= 4; ++lane)
        windows << u"%1|%2|%3"_s.arg(lane).arg(frame.scheibe(lane)->findChild<QLabel*>(u"lblName"_s)->text(),
            frame.scheibe(lane)->findChild<QLabel*>(u"lblGesamt"_s)->text());
    EXPECT_FALSE(windows.filter(QRegularExpression(u"^\\d\\|.+\\|.+$"_s)).isEmpty()) << qPrintable(windows.join(u' '));
    // Within a few seconds of the last message applied.
    QString shown;
    QObject::connect(&devTools, &QWebSocket::textMessageReceived, &devTools, [&shown](const QString& text) {
        shown = QJsonDocument::fromJson(text.toUtf8())[u"result"_s][u"result"_s][u"value"_s].toString();
    });
    const QString call
        = uR"js({"id": 1, "method": "Runtime.evaluate", "params": {"returnByValue": true, "expression":)js"
          uR"js("[...document.querySelectorAll('.lane')].map(e => ['.nr', '.name', '.gesamt'].map()js"
          uR"js(c => e.querySelector(c).textContent).join('|')).join(' ')"}})js"_s;
    for (QDeadlineTimer wait(5000); shown != windows.join(u' ') && !wait.hasExpired(); QTest::qWait(100))
        devTools.sendTextMessage(call);
    EXPECT_EQ(shown, windows.join(u' '));
}
