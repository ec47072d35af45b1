#include "shell/frmMDI.h"
#include "support/ProgramFolder.h"
#include "target/Scheibe.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

// End to end in a real browser: the display runs its frame, fed by the
// scoring-system simulator in its own process, with the web view on; headless
// Chromium opens the page and, driven over its DevTools protocol, is asked what
// it shows. Every lane's shooter and total must reach the page within a few
// seconds of the message that brought them.

namespace {

constexpr int kLanes = 4;
// From the last message applied to the page showing it.
constexpr qint64 kReachMs = 5000;
// Chromium may take long to start on a busy machine.
constexpr int kBrowserStartMs = 60000;

QString sourceData()
{
    return QDir(QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR"))).filePath(u"data"_s);
}

QString binary(const QString& name)
{
    return QDir(QString::fromLocal8Bit(qgetenv("OMR_BIN_DIR"))).filePath(name);
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// The page's side, over the DevTools protocol of one tab.
class DevTools {
public:
    bool open(const QUrl& url)
    {
        m_socket.open(url);
        const bool ok = QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 20000);
        if (!ok)
            ADD_FAILURE() << qPrintable(url.toString()) << ": " << qPrintable(m_socket.errorString());
        return ok;
    }
    std::optional<QJsonValue> evaluate(const QString& expression)
    {
        const int id = ++m_id;
        QObject context;
        std::optional<QJsonValue> result;
        bool answered = false;
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &context, [&](const QString& text) {
            const QJsonObject reply = QJsonDocument::fromJson(text.toUtf8()).object();
            if (reply[u"id"_s].toInt() != id)
                return;
            answered = true;
            const QJsonObject value = reply[u"result"_s].toObject()[u"result"_s].toObject();
            if (value.contains(u"value"_s))
                result = value[u"value"_s];
        });
        const QJsonObject params {{u"expression"_s, expression}, {u"returnByValue"_s, true}};
        const QJsonObject call {{u"id"_s, id}, {u"method"_s, u"Runtime.evaluate"_s}, {u"params"_s, params}};
        m_socket.sendTextMessage(QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&answered] { return answered; }, 10000))
            return std::nullopt;
        return result;
    }

private:
    QWebSocket m_socket;
    int m_id = 0;
};

// The first tab's DevTools address from the browser's own listing.
QUrl pageTarget(quint16 devToolsPort)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, devToolsPort);
    if (!socket.waitForConnected(5000))
        return {};
    // The listing names its addresses after the Host header.
    socket.write("GET /json/list HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(devToolsPort)
        + "\r\nConnection: close\r\n\r\n");
    QByteArray answer;
    while (socket.waitForReadyRead(5000))
        answer += socket.readAll();
    const QJsonArray targets = QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).array();
    for (const QJsonValue& target : targets) {
        if (target[u"type"_s].toString() == u"page"_s)
            return QUrl(target[u"webSocketDebuggerUrl"_s].toString());
    }
    return {};
}

class BrowserTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        const QDir data(sourceData());
        for (const QString& name : data.entryList({u"*.def"_s, u"Sprache_*.ini"_s}, QDir::Files))
            ASSERT_TRUE(QFile::copy(data.filePath(name), file(name)));
        ASSERT_TRUE(QDir(dir()).mkdir(u"exchange"_s));
        port = freePort();
        ASSERT_NE(port, 0);
        QByteArray ini = "[Options]\r\nScheibenanzahl=" + QByteArray::number(kLanes)
            + "\r\nScheibenProSeite=4\r\nVerbindungsArt=1\r\nTrefferkreuze=1\r\nZehntelAnzeige=1\r\nAusfAnzeige=1\r\n"
              "NetzwerkPfad="
            + file(u"exchange"_s).toLocal8Bit() + "\r\n[Web]\r\nPort=" + QByteArray::number(port)
            + "\r\nAdresse=127.0.0.1\r\n[Scheibe]\r\n";
        for (int lane = 1; lane <= kLanes; ++lane)
            ini += "Scheibe" + QByteArray::number(lane) + (lane % 2 ? "=1.10\r\n" : "=2.10\r\n");
        write(u"omr_anzeige.ini"_s, ini);
    }

    void TearDown() override
    {
        for (QProcess* process : {&browser, &simulator}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(10000);
            }
        }
        ProgramFolderTest::TearDown();
    }

    quint16 port = 0;
    QProcess browser;
    QProcess simulator;
    QTemporaryDir profile;
};

} // namespace

TEST_F(BrowserTest, PageFedByTheSimulatorShowsEveryLanesShooterAndTotal)
{
    const QString chromium = u"/usr/bin/chromium"_s;
    ASSERT_TRUE(QFileInfo(chromium).isExecutable()) << "no Chromium; scripts/install-deps installs it";

    frmMDI frame;
    frame.resize(1280, 720);
    frame.show();
    frame.timers().tmrStartUp.fire();
    frame.timers().tmrWatchdog.setInterval(200);
    simulator.start(binary(u"omr_simulator"_s),
        {u"--dir"_s, file(u"exchange"_s), u"--lanes"_s, QString::number(kLanes), u"--pace"_s, u"100"_s, u"--seed"_s,
            u"5"_s, u"--messages"_s, u"48"_s, u"--quiet"_s});
    ASSERT_TRUE(simulator.waitForStarted(10000));

    browser.start(chromium,
        {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s, u"--no-first-run"_s,
            u"--disable-background-networking"_s, u"--disable-component-update"_s, u"--disable-sync"_s,
            u"--user-data-dir="_s + profile.path(), u"--remote-debugging-port=0"_s, u"--remote-allow-origins=*"_s,
            u"--window-size=1280,900"_s, u"http://127.0.0.1:%1/"_s.arg(port)});
    ASSERT_TRUE(browser.waitForStarted(10000));
    const QString activePort = QDir(profile.path()).filePath(u"DevToolsActivePort"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(activePort).size() > 0; }, kBrowserStartMs))
        << "Chromium did not start: " << browser.readAllStandardError().right(2000).constData();
    QFile portFile(activePort);
    ASSERT_TRUE(portFile.open(QIODevice::ReadOnly));
    QUrl target;
    const quint16 devToolsPort = quint16(portFile.readLine().trimmed().toUInt());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(target = pageTarget(devToolsPort)).isEmpty(); }, kBrowserStartMs));
    DevTools page;
    ASSERT_TRUE(page.open(target));

    // What the page shows and what the windows show, lane by lane.
    const QString shown = u"JSON.stringify([...document.querySelectorAll('.lane')].map("
                          "e => e.querySelector('.nr').textContent + '|' + e.querySelector('.name').textContent"
                          " + '|' + e.querySelector('.gesamt').textContent))"_s;
    const auto windows = [&frame] {
        QStringList lanes;
        for (int lane = 1; lane <= kLanes; ++lane) {
            const Scheibe* w = frame.scheibe(lane);
            lanes.append(QString::number(lane) + u'|' + w->findChild<QLabel*>(u"lblName"_s)->text() + u'|'
                + w->findChild<QLabel*>(u"lblGesamt"_s)->text());
        }
        return lanes;
    };
    const auto onPage = [&page, &shown] {
        const std::optional<QJsonValue> value = page.evaluate(shown);
        QStringList lanes;
        for (const QJsonValue& lane : QJsonDocument::fromJson(value ? value->toString().toUtf8() : "[]").array())
            lanes.append(lane.toString());
        return lanes;
    };

    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.state() == QProcess::NotRunning; }, 120000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QDir(file(u"exchange"_s)).entryList({u"*.ctl"_s}).isEmpty(); }, 20000));
    QTest::qWait(500);
    const QStringList expected = windows();
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
        [](const QString& lane) {
            const QStringList parts = lane.split(u'|');
            return !parts[1].isEmpty() && !parts[2].isEmpty();
        }))
        << "no lane has a shooter with a total: " << qPrintable(expected.join(u' '));
    QStringList seen;
    const bool reached = QTest::qWaitFor(
        [&] {
            seen = onPage();
            return seen == expected;
        },
        kReachMs);
    EXPECT_TRUE(reached);
    EXPECT_EQ(seen, expected);
}
