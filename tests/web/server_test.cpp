#include "diag/EventLog.h"
#include "support/ProgramFolder.h"
#include "target/target_test_support.h"
#include "web/LaneSnapshot.h"
#include "web/WebRoutes.h"
#include "web/WebServer.h"
#include "web/WebView.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// The web view's server: it answers nothing but its page, reads nothing from
// disk, keeps its connections within bounds, drops pages that do not keep up
// and pushes every lane to every page.

namespace {

const QByteArray kSecret = "geheim: nur auf der Platte";

// Whether the answer holds its headers and the whole body they announce.
bool complete(const QByteArray& answer)
{
    const qsizetype end = answer.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    const qsizetype at = answer.indexOf("Content-Length: ");
    const qsizetype length
        = at < 0 || at > end ? 0 : answer.mid(at + 16, answer.indexOf('\r', at) - at - 16).toLongLong();
    return answer.size() >= end + 4 + length;
}

// The server's answer on one connection: until it is whole, the server closes
// the connection or nothing more comes for a while.
QByteArray exchange(quint16 port, const QByteArray& request, int quietMs = 1000)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return "no connection";
    socket.write(request);
    QByteArray answer;
    while (!complete(answer) && socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(quietMs))
        answer += socket.readAll();
    return answer + socket.readAll();
}

QByteArray get(quint16 port, const QByteArray& target)
{
    return exchange(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

QByteArray statusLine(const QByteArray& answer)
{
    return answer.left(answer.indexOf("\r\n"));
}

LaneSnapshot lane(int nr, const QString& name, int shots)
{
    LaneSnapshot snapshot;
    snapshot.lane = nr;
    snapshot.model = viewTestTarget();
    viewTestShots(snapshot.model, shots);
    snapshot.model.gTitelName = name;
    snapshot.settings.Trefferkreuze = 1;
    snapshot.settings.TrefferVergroessern = 1;
    snapshot.window = QSize(300, 600);
    return snapshot;
}

// A page: a WebSocket that collects what it is sent.
struct Page {
    QWebSocket socket;
    QList<QJsonObject> messages;
    explicit Page(quint16 port)
    {
        // Each lane of a message of lanes counts as a message of its own.
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived, &socket, [this](const QByteArray& utf8) {
            const QJsonObject message = QJsonDocument::fromJson(utf8).object();
            if (message[u"t"_s].toString() != u"lanes"_s) {
                messages.append(message);
                return;
            }
            for (const QJsonValue& lane : message[u"lanes"_s].toArray()) {
                QJsonObject one = lane.toObject();
                one.insert(u"t"_s, u"lane"_s);
                messages.append(one);
            }
        });
        socket.open(QUrl(u"ws://127.0.0.1:%1/ws"_s.arg(port)));
    }
    bool has(const QString& type, int nr = 0, const QString& name = {}) const
    {
        for (const QJsonObject& m : messages) {
            if (m[u"t"_s].toString() == type && (!nr || m[u"nr"_s].toInt() == nr)
                && (name.isEmpty() || m[u"name"_s].toString() == name))
                return true;
        }
        return false;
    }
};

class ServerTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        write(u"geheim.txt"_s, kSecret);
        start(200);
    }
    void start(int maxConnections)
    {
        server.reset();
        WebWorker::Config config;
        config.maxConnections = maxConnections;
        server = std::make_unique<WebServer>(config);
        QSignalSpy listening(server.get(), &WebServer::listening);
        ASSERT_TRUE(listening.wait(10000));
        port = listening.at(0).at(0).value<quint16>();
    }

    std::unique_ptr<WebServer> server;
    quint16 port = 0;
};

} // namespace

TEST(WebRoutesTest, OnlyThePageIsAnsweredWithAStrictPolicy)
{
    const WebRoutes routes;
    ASSERT_TRUE(routes.page().startsWith("<!DOCTYPE html>"));
    struct Row {
        QByteArray method, path;
        int status;
    };
    const Row rows[] = {
        {"GET", "/", 200},
        {"GET", "/rangliste", 200},
        {"GET", "/bahn/3", 200},
        {"GET", "/bahn/255", 200},
        {"GET", "/bahn/256", 404},
        {"GET", "/bahn/0", 404},
        {"GET", "/bahn/03", 404},
        {"GET", "/bahn/3/", 404},
        {"GET", "/bahn%2F3", 404},
        {"GET", "/bahn/%33", 404},
        {"GET", "/index.html", 404},
        {"GET", "/web/index.html", 404},
        {"GET", "/../geheim.txt", 404},
        {"GET", "/%2e%2e/%2e%2e/etc/passwd", 404},
        {"GET", "/..%2F..%2Fgeheim.txt", 404},
        {"GET", "/..%5C..%5Cgeheim.txt", 404},
        {"GET", "//etc/passwd", 404},
        {"GET", "/rangliste?x=1", 404},
        {"POST", "/", 405},
        {"HEAD", "/", 405},
    };
    for (const Row& row : rows) {
        const WebRoutes::Response r = routes.respond(row.method, row.path, "127.0.0.1:8080");
        EXPECT_EQ(r.status, row.status) << row.method.constData() << ' ' << row.path.constData();
        EXPECT_EQ(r.body == routes.page(), row.status == 200) << row.path.constData();
        EXPECT_TRUE(std::any_of(
            r.headers.begin(), r.headers.end(), [](const auto& h) { return h.first == "Content-Security-Policy"; }));
    }

    // The page runs its own script and style only and asks nothing of any
    // other place.
    const QByteArray page = routes.page();
    EXPECT_EQ(page.count("<script"), 1);
    EXPECT_EQ(page.count("<style"), 1);
    EXPECT_FALSE(page.contains("http://") || page.contains("https://") || page.contains(" src="));
    const auto inner = [&page](const char* open, const char* close) {
        const qsizetype from = page.indexOf(open) + qsizetype(strlen(open));
        return page.mid(from, page.indexOf(close) - from);
    };
    const auto hash = [](const QByteArray& text) {
        return "'sha256-" + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64() + '\'';
    };
    const auto headers = routes.securityHeaders("127.0.0.1:8080");
    const QByteArray policy = headers.front().second;
    EXPECT_TRUE(policy.startsWith("default-src 'none'; script-src " + hash(inner("<script>", "</script>"))
        + "; style-src " + hash(inner("<style>", "</style>"))));
    EXPECT_TRUE(policy.endsWith("connect-src 'self' ws://127.0.0.1:8080"));
    // A Host header that is not a plain host name never reaches the policy.
    EXPECT_TRUE(routes.securityHeaders("x; script-src *").front().second.endsWith("connect-src 'self'"));
}

TEST_F(ServerTest, HostileRequestsGetAnErrorOrACloseAndNothingFromDisk)
{
    struct Row {
        const char* what;
        QByteArray request;
        QByteArray status; // empty: any error or a close
    };
    const Row rows[] = {
        {"dot-dot", "GET /../geheim.txt HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 404"},
        {"encoded dot-dot", "GET /%2e%2e/geheim.txt HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 404"},
        {"encoded separators", "GET /bahn/..%2F..%2Fgeheim.txt HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 404"},
        {"backslashes", "GET /..\\..\\geheim.txt HTTP/1.1\r\nHost: x\r\n\r\n", ""},
        {"absolute form", "GET http://x/geheim.txt HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 404"},
        {"write method", "PUT /geheim.txt HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc", "HTTP/1.1 405"},
        {"garbage", "\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 not http\r\n\r\n", ""},
        {"no version", "GET /\r\n\r\n", ""},
        {"oversized path", "GET /" + QByteArray(100000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n", ""},
        {"oversized header", "GET / HTTP/1.1\r\nHost: x\r\nX-Big: " + QByteArray(40000, 'b') + "\r\n\r\n", ""},
        {"oversized body", "GET / HTTP/1.1\r\nHost: x\r\nContent-Length: 90000000\r\n\r\n" + QByteArray(200000, 'c'),
            ""},
        {"websocket elsewhere",
            "GET /geheim.txt HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n",
            "HTTP/1.1 404"},
    };
    for (const Row& row : rows) {
        const QByteArray answer = exchange(port, row.request);
        EXPECT_FALSE(answer.contains(kSecret)) << row.what;
        EXPECT_FALSE(statusLine(answer).contains(" 200 ")) << row.what << ": " << statusLine(answer).constData();
        if (!row.status.isEmpty()) {
            EXPECT_EQ(statusLine(answer).left(row.status.size()), row.status) << row.what;
        }
        if (!answer.isEmpty()) {
            EXPECT_TRUE(answer.contains("Content-Security-Policy: default-src 'none'")) << row.what;
        }
    }
    // And the page is still served.
    const QByteArray page = get(port, "/bahn/2");
    EXPECT_TRUE(statusLine(page).startsWith("HTTP/1.1 200")) << statusLine(page).constData();
    EXPECT_TRUE(page.contains("Content-Security-Policy: default-src 'none'"));
}

TEST_F(ServerTest, FloodOfConnectionsIsHeldAtTheLimitAndTheViewGoesOn)
{
    start(20);
    std::vector<std::unique_ptr<QTcpSocket>> flood;
    for (int i = 0; i < 60; ++i) {
        flood.push_back(std::make_unique<QTcpSocket>());
        flood.back()->connectToHost(QHostAddress::LocalHost, port);
    }
    const auto open = [&flood] {
        return std::count_if(
            flood.begin(), flood.end(), [](const auto& s) { return s->state() == QAbstractSocket::ConnectedState; });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return open() <= 20; }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(open(), 20);
    // The page already open is served and pushed to all along.
    server->publishLane(lane(1, u"Flut"_s, 2));
    flood.clear();
    // Once the flood has gone its places are free again.
    std::unique_ptr<Page> page;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (!page || page->socket.state() == QAbstractSocket::UnconnectedState)
                page = std::make_unique<Page>(port);
            return page->has(u"lane"_s, 1, u"Flut"_s);
        },
        10000));
    EXPECT_TRUE(statusLine(get(port, "/")).startsWith("HTTP/1.1 200"));
}

TEST_F(ServerTest, PagesGetTheWholeStateAndThenEveryLane)
{
    server->resetLanes({1, 2});
    server->publishLane(lane(1, u"Anna"_s, 3));
    server->publishRanking({u"1;x;Muster;Max;SV;99;1;10;99;;;;;;;;;;;"_s}, u"Titel"_s);
    Page first(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.has(u"ranking"_s); }, 10000));
    ASSERT_GE(first.messages.size(), 3);
    EXPECT_EQ(first.messages[0][u"t"_s].toString(), u"hello"_s);
    EXPECT_EQ(first.messages[0][u"lanes"_s].toVariant().toList(), QVariantList({1, 2}));
    EXPECT_TRUE(first.has(u"lane"_s, 1, u"Anna"_s));

    server->publishLane(lane(2, u"Bert"_s, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.has(u"lane"_s, 2, u"Bert"_s); }, 10000));

    // A page only listens: one that talks too much is closed.
    Page chatty(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chatty.has(u"hello"_s); }, 10000));
    for (int i = 0; i <= WebWorker::MaxIncomingMessages; ++i)
        chatty.socket.sendTextMessage(u"x"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chatty.socket.state() == QAbstractSocket::UnconnectedState; }, 10000));
    Page big(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return big.has(u"hello"_s); }, 10000));
    big.socket.sendTextMessage(QString(4 * WebWorker::MaxIncomingBytes, u'x'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return big.socket.state() == QAbstractSocket::UnconnectedState; }, 10000));
    EXPECT_EQ(first.socket.state(), QAbstractSocket::ConnectedState);
}

TEST_F(ServerTest, PageThatDoesNotKeepUpIsDropped)
{
    // A page that never reads: its handshake, then nothing.
    QTcpSocket slow;
    slow.setReadBufferSize(4096);
    slow.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    slow.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(slow.waitForConnected(5000));
    slow.write("GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    Page reader(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.has(u"hello"_s); }, 10000));

    // Round after round of new states for longer than a page may stay
    // behind: the reading page gets every round, the other one falls behind
    // and is closed, which it finds once it reads.
    // Enough rounds to leave the slow page far behind however fast the
    // server draws, then rounds for longer than a page may stay behind.
    constexpr int kBehindRounds = 20;
    QElapsedTimer clock;
    int round = 0;
    while (round < kBehindRounds || clock.elapsed() < WebWorker::BehindMs + 3000) {
        if (++round == kBehindRounds)
            clock.start();
        for (int nr = 1; nr <= 4; ++nr)
            server->publishLane(lane(nr, u"Runde %1"_s.arg(round), 60));
        ASSERT_TRUE(QTest::qWaitFor([&] { return reader.has(u"lane"_s, 4, u"Runde %1"_s.arg(round)); }, 10000));
    }
    slow.setReadBufferSize(0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            slow.readAll();
            return slow.state() == QAbstractSocket::UnconnectedState;
        },
        10000));
    EXPECT_EQ(reader.socket.state(), QAbstractSocket::ConnectedState);
}

TEST_F(ServerTest, PortThatCannotBeBoundIsLoggedAndTheDisplayGoesOn)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    WebSettings settings;
    settings.port = taken.serverPort();
    WebView view(settings);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.server(); }, 10000));
    EXPECT_TRUE(read(u"OMRAnzeige.log"_s).contains("web view not started"));
    EXPECT_TRUE(read(u"OMRAnzeige.log"_s).contains(QByteArray::number(settings.port)));
    view.laneUpdated(1);
    view.frameLoaded([](int) { return nullptr; }, nullptr);

    // Not an address: nothing listens, not even on every interface.
    settings.adresse = u"Schiessstand"_s;
    WebView nowhere(settings);
    EXPECT_EQ(nowhere.server(), nullptr);
    EXPECT_EQ(read(u"OMRAnzeige.log"_s).count("web view not started"), 2);
}

TEST_F(ServerTest, RankingTheRankingWindowIsGivenReachesThePages)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    WebSettings settings;
    settings.port = probe.serverPort();
    probe.close();
    WebView view(settings);
    QSignalSpy listening(&view, &WebView::listening);
    ASSERT_TRUE(listening.wait(10000));
    QWidget rangliste;
    auto* queue = new QListWidget(&rangliste);
    queue->setObjectName(u"lbxCSVIn"_s);
    view.frameLoaded([](int) { return nullptr; }, &rangliste);
    Page page(settings.port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.has(u"hello"_s); }, 10000));

    // A page drained from the queue is no new ranking; a refilled queue is.
    queue->addItems({u"1;x;Muster;Max;SV;99;1;10;99;;;;;;;;;;;"_s, u"2;x;Beta;Eva;SV;98;2;10;98;;;;;;;;;;;"_s});
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.has(u"ranking"_s); }, 10000));
    const auto rankings = [&page] {
        return std::count_if(page.messages.begin(), page.messages.end(),
            [](const QJsonObject& m) { return m[u"t"_s].toString() == u"ranking"_s; });
    };
    EXPECT_EQ(page.messages.back()[u"rows"_s].toArray().size(), 2);
    queue->model()->removeRows(0, 1);
    queue->addItem(u"3;x;Gamma;Udo;SV;97;3;10;97;;;;;;;;;;;"_s);
    QTest::qWait(300);
    EXPECT_EQ(rankings(), 1);
}
