#pragma once

#include "diag/EventLog.h"
#include "exchange/Austausch.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "support/FakeLanes.h"
#include "support/TestDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The polling cycle over a fresh exchange folder, with targets that write down
// every call it makes, and the server side of both protocols.
class WatchdogTest : public ::testing::Test {
protected:
    explicit WatchdogTest(int lanes = 10) : targets(lanes) { }
    void SetUp() override
    {
        TestDialogs::install();
        TestDialogs::clear();
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("austausch")));
        state.settings.Scheibenanzahl = static_cast<std::uint8_t>(targets.count());
        state.settings.VerbindungsArt = 1;
        state.settings.NetzwerkPfad = folder();
    }
    // A test may have put its own box handler in.
    void TearDown() override { TestDialogs::install(); }

    QString folder() const { return QDir(root.path()).filePath(QStringLiteral("austausch")); }
    QString path(const QString& name) const { return QDir(folder()).filePath(name); }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void emptyFolder()
    {
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("austausch")));
    }

    static QString record(int lane, int b, const QString& n)
    {
        return QStringLiteral("A#1;S#1;L#%1;B#%2;N#%3").arg(lane).arg(b).arg(n);
    }
    // The server side of the 2002 protocol, for display server 1 or 2.
    void serverSendsRecord(int lane, QString value, bool server2 = false)
    {
        const auto result = server2 ? Austausch2002Server2(value, 1, lane, 1, folder(), 1, 1)
                                    : Austausch2002(value, 1, lane, 1, folder(), 1, 1);
        ASSERT_EQ(result, 0);
    }
    void serverSends(int lane, int b, const QString& n, bool server2 = false)
    {
        serverSendsRecord(lane, record(lane, b, n), server2);
    }
    void serverSendsName(int lane, const QString& name) { serverSends(lane, 4, name); }
    // The older protocol: role 1 sends results, role 2 the announcement.
    void serverSendsAlt(int lane, int role, QString text)
    {
        ASSERT_EQ(AustauschAlt(text, lane, 1, folder(), 1, role), 0);
    }

    QStringList& calls(int lane) { return targets.lane(lane).calls; }
    static QStringList named(const QString& name)
    {
        return {QStringLiteral("gTitelName(%1)").arg(name), QStringLiteral("Refresh")};
    }
    static QStringList placed(int place)
    {
        return {QStringLiteral("Platz(%1)").arg(place), QStringLiteral("TextBelegen"), QStringLiteral("refreshPlatz")};
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            watchdog.tick();
    }
    // The event log's lines without their time column.
    QStringList logged() const
    {
        QFile file(eventLog.path());
        QStringList lines;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                lines << line.section(QLatin1Char('\t'), 1);
        }
        return lines;
    }

    QTemporaryDir root;
    ProgramState state;
    FrameTimers timers;
    FakeTargets targets;
    FakeRanking ranking;
    EventLog eventLog {QDir(root.path()).filePath(QStringLiteral("OMRAnzeige.log")), 4096};
    Watchdog watchdog {state, timers, targets, ranking, &eventLog};
};
