#include "diag/EventLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class EventLogTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
    static QByteArray contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(EventLogTest, OneLineWithTimeLaneFaultAndFile)
{
    EventLog log(file(u"a.log"_s));
    log.write(7, u"C:\\Austausch\\erg7.txt"_s, u"results file missing"_s);
    log.write(0, u"x\r\ny"_s, u"places\tfile"_s);
    const QStringList lines = QString::fromUtf8(contents(log.path())).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression time(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\t"_s);
    EXPECT_TRUE(time.match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(u"\tlane 7\tresults file missing\tC:\\Austausch\\erg7.txt"_s));
    // Line ends and tabs inside a field would split the line or its columns.
    EXPECT_TRUE(lines[1].endsWith(u"\t-\tplaces file\tx  y"_s));
    EXPECT_TRUE(lines[2].isEmpty());
}

TEST_F(EventLogTest, CurrentAndOlderGenerationStayWithinTheBound)
{
    for (const qint64 bound : {qint64(200), qint64(1000), qint64(4096)}) {
        SCOPED_TRACE(bound);
        const QString path = file(u"b%1.log"_s.arg(bound));
        EventLog log(path, bound);
        for (int i = 0; i < 500; ++i) {
            log.write(i % 255 + 1, u"/austausch/erg%1.txt"_s.arg(i), u"results file missing"_s);
            ASSERT_LE(QFileInfo(path).size() + QFileInfo(log.olderPath()).size(), bound) << i;
        }
        EXPECT_TRUE(contents(path).contains("/austausch/erg499.txt"));
        EXPECT_TRUE(QFileInfo::exists(log.olderPath()));
    }
}

TEST_F(EventLogTest, OverlongLineIsCutToHalfTheBound)
{
    EventLog log(file(u"c.log"_s), 100);
    log.write(1, QString(500, QLatin1Char('f')), u"results file missing"_s);
    const QByteArray written = contents(log.path());
    EXPECT_EQ(written.size(), 50);
    EXPECT_TRUE(written.endsWith('\n'));
}

TEST_F(EventLogTest, ALogThatCannotBeWrittenIsPassedOver)
{
    EventLog log(file(u"fehlt/d.log"_s));
    log.write(1, u"e.txt"_s, u"results file missing"_s);
    EXPECT_FALSE(QFileInfo::exists(log.path()));

    // A folder in the way of the log file: neither the log nor the folder suffer.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"e.log"_s));
    EventLog blocked(file(u"e.log"_s), 100);
    for (int i = 0; i < 10; ++i)
        blocked.write(1, u"e.txt"_s, u"results file missing"_s);
    EXPECT_TRUE(QFileInfo(blocked.path()).isDir());
}

} // namespace
