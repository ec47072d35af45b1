// The frame: where its targets go as numbers, and the window with its
// targets, timers and the other windows it loads.
#include "ads/frmWerbung.h"
#include "diag/frmDiagnose.h"
#include "exchange/Austausch.h"
#include "options/Options.h"
#include "platform/Twips.h"
#include "ranking/frmRangliste.h"
#include "shell/FrameCaption.h"
#include "shell/FrameLayout.h"
#include "shell/FrameStop.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "support/TestData.h"
#include "target/Scheibe.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <memory>
#include <optional>

#if defined(Q_OS_UNIX)
#include <signal.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// --- the layout as numbers ---

Einstellungen settings(int count)
{
    Einstellungen s;
    s.Scheibenanzahl = static_cast<std::uint8_t>(count);
    s.ScheibenProSeite = 8;
    s.AnfScheibe = 1;
    s.EndScheibe = static_cast<std::int16_t>(count);
    s.BuliAnordnung = 0;
    return s;
}

// "-" or a range "5-8" of shown targets, and "-" or a page size.
void restrict(Einstellungen& s, const QString& range, const QString& perPage)
{
    s.AnfEnde = range == u"-" ? 0 : 1;
    if (s.AnfEnde == 1) {
        s.AnfScheibe = static_cast<std::int16_t>(range.section(u'-', 0, 0).toInt());
        s.EndScheibe = static_cast<std::int16_t>(range.section(u'-', 1, 1).toInt());
    }
    s.Blaettern = perPage == u"-" ? 0 : 1;
    s.ScheibenProSeite = static_cast<std::uint8_t>(perPage.toInt());
}

QSizeF size(const QString& text)
{
    return QSizeF(text.section(u'x', 0, 0).toDouble(), text.section(u'x', 1, 1).toDouble());
}

TEST(FrameLayout, FramePlacement)
{
    const FrameLayout::ScreenMetrics screen {QSize(1920, 1080), 15, 12};
    for (const TestData::Line& row : TestData::lines(u"tables/frame-placement.txt"_s)) {
        Einstellungen s = settings(8);
        s.BildSchirm = static_cast<std::uint8_t>(row.number(0));
        s.BildAufloesung = static_cast<std::uint8_t>(row.number(1));
        const FrameLayout::FramePlacement placement = FrameLayout::framePlacement(s, screen);
        EXPECT_EQ(placement.left, row.cell(2) == u"-" ? std::nullopt : std::optional(row.real(2))) << row.where;
        EXPECT_EQ(placement.size, row.cell(3) == u"-" ? QSizeF() : size(row.cell(3))) << row.where;
    }
}

TEST(FrameLayout, ColumnsPositionsAndShownAtStart)
{
    for (const TestData::Line& row : TestData::lines(u"tables/frame-columns.txt"_s)) {
        Einstellungen s = settings(row.number(0));
        s.chkEinZeilig = static_cast<std::uint8_t>(row.number(1));
        restrict(s, row.cell(3), row.cell(4));
        EXPECT_EQ(FrameLayout::columns(s), row.number(2)) << row.where;
    }
    for (const TestData::Line& row : TestData::lines(u"tables/frame-positions.txt"_s)) {
        Einstellungen s = settings(row.number(0));
        restrict(s, row.cell(2), row.cell(1));
        const QStringList positions = row.cell(3).split(u' ', Qt::SkipEmptyParts);
        const QString shown = row.cell(4);
        for (int i = 1; i <= row.number(0); ++i) {
            EXPECT_EQ(FrameLayout::position(s, i), positions.value(i - 1).toInt()) << row.where << " target " << i;
            const bool visible
                = shown != u"none" && i >= shown.section(u'-', 0, 0).toInt() && i <= shown.section(u'-', 1, 1).toInt();
            EXPECT_EQ(FrameLayout::hiddenAtStart(s, i), !visible) << row.where << " target " << i;
        }
    }
}

TEST(FrameLayout, TargetPlaceAndSize)
{
    for (const TestData::Line& row : TestData::lines(u"tables/frame-targets.txt"_s)) {
        Einstellungen s = settings(row.number(0));
        s.chkEinZeilig = static_cast<std::uint8_t>(row.number(1));
        s.BuliAnordnung = static_cast<std::uint8_t>(row.number(2));
        const FrameLayout::TargetPlacement placement = FrameLayout::placeTarget(s, row.number(4), size(row.cell(3)));
        const QStringList rect = row.cell(5).split(u',');
        const QRectF& r = placement.rect;
        const double actual[] = {r.left(), r.top(), r.width(), r.height()};
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(actual[k], rect.value(k).toDouble(), 0.001) << row.where << " value " << k;
        EXPECT_EQ(placement.resultLabelsVisible, row.cell(6) == u"yes") << row.where;
    }
}

// --- the frame window ---

class FrameWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Twips::overrideDpiForTest(96, 96);
    }
    void TearDown() override
    {
        m_frame.reset();
        flushDeletes();
        Twips::overrideDpiForTest(0, 0);
        ProgramFolderTest::TearDown();
    }

    void writeIni(const QByteArray& options, const QByteArray& scheiben = QByteArray())
    {
        write(u"omr_anzeige.ini"_s,
            "[Options]\r\nNetzwerkPfad=" + dir().toUtf8() + "\r\nKORVUPfad=" + dir().toUtf8() + "\r\n" + options
                + "[Scheibe]\r\n" + scheiben);
    }
    QStringList iniLines() const { return QString::fromLatin1(read(u"omr_anzeige.ini"_s)).split(u"\r\n"_s); }
    frmMDI& startFrame()
    {
        m_frame = std::make_unique<frmMDI>();
        m_frame->show();
        return *m_frame;
    }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<frmMDI> m_frame;
};

// --- stopped from outside ---

// Until the frame has closed (the stop may wait for a loop to return).
bool processEventsUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST_F(FrameWindowTest, StopRequestClosesTheFrameOnceNoBoxWaitsBelowIt)
{
    const struct {
        const char* name;
        bool whileLoading, boxWaits;
    } cases[] = {{"running", false, false}, {"box open", false, true}, {"still loading", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeIni("Scheibenanzahl=3\r\n", "Scheibe2=3.30\r\n");
        FrameStop stop;
        if (c.whileLoading)
            stop.request();
        frmMDI& frame = startFrame();
        frame.openOptions();
        s().RLTitel = u"Finale"_s;
        stop.setFrame(frame);
        if (c.boxWaits) {
            QDialog box(&frame);
            QTimer::singleShot(0, &stop, &FrameStop::request);
            EXPECT_EQ(box.exec(), QDialog::Rejected);
        }
        // The code below a box, or the load, still finds the frame whole.
        if (c.boxWaits || c.whileLoading) {
            EXPECT_EQ(frame.count(), 3);
        } else {
            stop.request();
        }
        EXPECT_TRUE(stop.isRequested());
        EXPECT_TRUE(processEventsUntil([&frame] { return frame.count() == 0; }));
        flushDeletes();
        for (const char* line : {"RLTitel=Finale", "Scheibe2=3.30", "VergroessernAus=0"})
            EXPECT_TRUE(iniLines().contains(QLatin1String(line))) << line;
        EXPECT_EQ(frame.options(), nullptr);
        EXPECT_EQ(frame.rangliste(), nullptr);
        m_frame.reset();
        ProgramState::reset();
    }
}

#if defined(Q_OS_UNIX)

std::string folderEntries(const QString& path, QStringList more = {})
{
    QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) + more;
    names.removeAll(u"CMakeLists.txt"_s);
    names.removeAll(u"README.md"_s);
    names.sort();
    return names.join(QLatin1Char(' ')).toStdString();
}

// The program folder as installed, with the program stopped by a signal once
// its frame has been painted: it must leave the settings file that its
// frame's close leaves, in the folder it runs from.
TEST_F(FrameWindowTest, InstalledProgramStoppedBySignalLeavesWhatItsCloseLeaves)
{
    QProcess install;
    install.start(QString::fromLocal8Bit(qgetenv("OMR_CMAKE")),
        {u"--install"_s, QString::fromLocal8Bit(qgetenv("OMR_BUILD_DIR")), u"--prefix"_s, dir()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().constData();
    const QString data = QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + u"/data"_s;
    EXPECT_EQ(folderEntries(dir()), folderEntries(data, {u"omr_anzeige"_s, u"contrib"_s}));
    EXPECT_EQ(folderEntries(file(u"werbung"_s)), folderEntries(data + u"/werbung"_s));

    const auto start = [this] { writeIni("Scheibenanzahl=3\r\nWechselzeit=45\r\n", "Scheibe2=2.10\r\n"); };
    start();
    startFrame().close();
    flushDeletes();
    m_frame.reset();
    const QByteArray closed = read(u"omr_anzeige.ini"_s);
    ASSERT_GT(closed.count("\r\n"), 44);

    const struct {
        int signal;
        const char* name;
    } cases[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"OMR_REPORT_FIRST_PAINT"_s, u"1"_s);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QDir::rootPath());
        program.start(file(u"omr_anzeige"_s), {});
        QByteArray output;
        while (!output.contains("first-paint") && program.waitForReadyRead(60000))
            output += program.readAllStandardOutput();
        ASSERT_TRUE(output.contains("first-paint")) << program.readAllStandardError().constData();
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), c.signal), 0);
        if (!program.waitForFinished(60000))
            program.kill();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << program.readAllStandardError().constData();
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(read(u"omr_anzeige.ini"_s).toStdString(), closed.toStdString());
    }
}

#endif

} // namespace
