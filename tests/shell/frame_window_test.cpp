#include "ads/frmWerbung.h"
#include "diag/EventLog.h"
#include "diag/frmDiagnose.h"
#include "exchange/Austausch.h"
#include "options/Options.h"
#include "platform/Twips.h"
#include "ranking/frmRangliste.h"
#include "shell/FrameCaption.h"
#include "shell/frmMDI.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "target/Scheibe.h"

#include <QApplication>
#include <QLabel>

#include <memory>

namespace {

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
        write(QStringLiteral("omr_anzeige.ini"),
            "[Options]\r\nNetzwerkPfad=" + dir().toUtf8() + "\r\nKORVUPfad=" + dir().toUtf8() + "\r\n" + options
                + "[Scheibe]\r\n" + scheiben);
    }
    QStringList iniLines() const
    {
        return QString::fromLatin1(read(QStringLiteral("omr_anzeige.ini"))).split(QStringLiteral("\r\n"));
    }
    frmMDI& startFrame()
    {
        m_frame = std::make_unique<frmMDI>();
        m_frame->show();
        return *m_frame;
    }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QList<int> visibleLanes() const
    {
        QList<int> lanes;
        for (int lane = 1; lane <= m_frame->count(); ++lane) {
            if (m_frame->at(lane)->isTargetVisible())
                lanes.append(lane);
        }
        return lanes;
    }
    // tmrStartUp, tmrWatchdog, tmrBlaettern
    QList<bool> running() const
    {
        const FrameTimers& t = m_frame->timers();
        return {t.tmrStartUp.isEnabled(), t.tmrWatchdog.isEnabled(), t.tmrBlaettern.isEnabled()};
    }
    QStringList windowNames() const
    {
        QStringList names;
        for (const DiagnosticsSource::Window& window : m_frame->loadedWindows())
            names << window.name;
        return names;
    }

    std::unique_ptr<frmMDI> m_frame;
};

TEST_F(FrameWindowTest, PagingShowsTheFirstPageAtStart)
{
    writeIni("Scheibenanzahl=10\r\nScheibenProSeite=4\r\nBlaettern=1\r\nBildSchirm=1\r\nBildAufloesung=101\r\n"
             "BuliAnordnung=0\r\n");
    frmMDI& frame = startFrame();
    EXPECT_EQ(frame.objectName(), QStringLiteral("frmMDI"));
    ASSERT_EQ(frame.count(), 10);
    EXPECT_EQ(frame.at(0), nullptr);
    EXPECT_EQ(frame.at(11), nullptr);
    EXPECT_EQ(visibleLanes(), laneRange(1, 4));
    for (int lane = 1; lane <= 10; ++lane) {
        EXPECT_EQ(frame.at(lane)->LinienNr(), lane);
        EXPECT_EQ(frame.scheibe(lane)->parentWidget(), frame.workspace());
    }
    // Target 6 stands where target 2 stands.
    EXPECT_EQ(frame.scheibe(6)->geometry(), frame.scheibe(2)->geometry());
    EXPECT_EQ(frame.size(), QSize(800, 600));
    EXPECT_EQ(frame.x(), Twips::screenSize().width() / 2);
}

TEST_F(FrameWindowTest, TargetsAreSizedAndPlacedInTwoRows)
{
    writeIni("Scheibenanzahl=8\r\nBildSchirm=1\r\nBildAufloesung=102\r\nBuliAnordnung=0\r\n", "Scheibe3=2.20\r\n");
    frmMDI& frame = startFrame();
    ASSERT_EQ(frame.count(), 8);
    EXPECT_EQ(visibleLanes(), laneRange(1, 8));
    // 1024 x 768 pixels = 15360 x 11520 twips in 4 columns: the width decides.
    const int width = Twips::toPixelsX(15360 / 4.1);
    const int height = Twips::toPixelsY(11520 / 2.1);
    EXPECT_EQ(frame.scheibe(1)->geometry(), QRect(0, 0, width, height));
    EXPECT_EQ(frame.scheibe(3)->pos(), QPoint(Twips::toPixelsX(2 * 15360 / 4.1), 0));
    EXPECT_EQ(frame.scheibe(5)->pos(), QPoint(0, Twips::toPixelsY(11520 / 2.1)));
    EXPECT_EQ(frame.scheibe(3)->DisziplinNr(), QStringLiteral("2.20"));
    EXPECT_EQ(frame.scheibe(4)->DisziplinNr(), QStringLiteral("1.10"));
}

TEST_F(FrameWindowTest, SquareTargetsHideTheResultLabels)
{
    writeIni("Scheibenanzahl=4\r\nBildSchirm=1\r\nBildAufloesung=103\r\nBuliAnordnung=0\r\n");
    frmMDI& frame = startFrame();
    ASSERT_EQ(frame.count(), 4);
    Scheibe* target = frame.scheibe(1);
    for (const char* name : {"lblGesamt", "lblPlatz", "lblSchussNr", "lblRingwert"}) {
        auto* label = target->findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisibleTo(target)) << name;
    }
}

TEST_F(FrameWindowTest, RangeRestrictionHidesTheOtherTargets)
{
    writeIni("Scheibenanzahl=8\r\nAnfEnde=1\r\nAnfScheibe=3\r\nEndScheibe=5\r\nBuliAnordnung=0\r\n");
    frmMDI& frame = startFrame();
    EXPECT_EQ(visibleLanes(), laneRange(3, 5));
    EXPECT_EQ(frame.scheibe(3)->pos(), QPoint(0, 0));
}

TEST_F(FrameWindowTest, CaptionComesFromTheLanguageFileAndEndsInTheVersion)
{
    writeIni("Scheibenanzahl=2\r\n");
    EXPECT_EQ(startFrame().windowTitle(), QStringLiteral("VTX-Scheibenanzeige") + frameCaptionSuffix());
    EXPECT_TRUE(m_frame->windowTitle().endsWith(QStringLiteral(" 2002 V1.3.904  ") + ProgramInfo::companyName()));
    EXPECT_EQ(m_frame->frameCaption(), m_frame->windowTitle());

    m_frame.reset();
    writeIni("Scheibenanzahl=2\r\nSprache=3\r\n");
    write(QStringLiteral("Sprache_3.ini"), "[frmMidi]\r\nForm_Caption=Schiessstand Nord\r\n");
    EXPECT_EQ(startFrame().windowTitle(), QStringLiteral("Schiessstand Nord") + frameCaptionSuffix());
}

TEST_F(FrameWindowTest, StartUpStepStartsPollingAndPaging)
{
    writeIni("Scheibenanzahl=10\r\nScheibenProSeite=4\r\nBlaettern=1\r\nWechselzeit=20\r\nBildSchirm=1\r\n"
             "BildAufloesung=101\r\nBuliAnordnung=0\r\n");
    frmMDI& frame = startFrame();
    FrameTimers& timers = frame.timers();
    EXPECT_EQ(running(), (QList<bool> {true, false, false}));
    EXPECT_EQ(state().pages.RanglisteFertig, 0);

    timers.tmrStartUp.fire();
    EXPECT_EQ(running(), (QList<bool> {false, true, true}));
    EXPECT_EQ(timers.tmrBlaettern.interval(), 20000);
    const PageState& pages = state().pages;
    EXPECT_EQ(
        (QList<int> {pages.RanglisteAktiv, pages.AlleSeitenGezeigt, pages.RanglisteFertig, pages.RanglisteAngefordert}),
        (QList<int> {0, 0, 1, 0}));
    ASSERT_NE(frame.rangliste(), nullptr);
    ASSERT_NE(frame.werbung(), nullptr);
    EXPECT_FALSE(frame.rangliste()->isVisible());
    EXPECT_FALSE(frame.werbung()->isVisible());
    EXPECT_EQ(frame.werbung()->geometry(), QRect(QPoint(0, 0), frame.size()));

    timers.tmrBlaettern.fire();
    EXPECT_EQ(visibleLanes(), laneRange(5, 8));
    timers.tmrWatchdog.fire();
    EXPECT_EQ(visibleLanes(), laneRange(5, 8));
}

TEST_F(FrameWindowTest, MissingResultsFileIsLoggedBesideTheProgramOncePerAttempt)
{
    writeIni("Scheibenanzahl=4\r\nScheibenProSeite=4\r\nVerbindungsArt=1\r\n");
    frmMDI& frame = startFrame();
    frame.timers().tmrStartUp.fire();
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString record = QStringLiteral("A#1;S#1;L#2;B#1;N#Bahn2.txt");
        ASSERT_EQ(Austausch2002(record, 1, 2, 1, dir(), 1, 1), 0);
        frame.timers().tmrWatchdog.fire();
        frame.timers().tmrWatchdog.fire();
    }
    const QStringList lines = QString::fromUtf8(read(QStringLiteral("OMRAnzeige.log"))).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    const QString expected
        = QStringLiteral("\tlane 2\tresults file missing\t") + QDir(dir()).filePath(QStringLiteral("Bahn2.txt"));
    EXPECT_TRUE(lines[0].endsWith(expected)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(expected)) << lines[1].toStdString();
    EXPECT_EQ(EventLog::besideProgram(), QDir(dir()).filePath(QStringLiteral("OMRAnzeige.log")));
}

TEST_F(FrameWindowTest, LoadedWindowsInTheOrderTheyWereLoaded)
{
    writeIni("Scheibenanzahl=3\r\nScheibenProSeite=2\r\nBlaettern=1\r\n");
    frmMDI& frame = startFrame();
    QStringList expected
        = QStringLiteral("frmMDI frmDiagnose Scheibe Scheibe Scheibe frmRangliste frmWerbung").split(QLatin1Char(' '));
    EXPECT_EQ(windowNames(), expected);
    QList<bool> visible;
    for (const DiagnosticsSource::Window& window : frame.loadedWindows())
        visible << window.visible;
    EXPECT_EQ(visible, (QList<bool> {true, false, true, true, false, false, false}));

    const QList<DiagnosticsSource::Target> targets = frame.targetWindows();
    ASSERT_EQ(targets.size(), 3);
    for (const DiagnosticsSource::Target& target : targets) {
        EXPECT_EQ(target.name, QStringLiteral("Scheibe"));
        EXPECT_FALSE(target.autoRedraw);
    }

    // A target window asks for the options; a second request loads no second dialog.
    EXPECT_EQ(frame.options(), nullptr);
    Q_EMIT frame.scheibe(2)->optionenAngefordert();
    frame.openOptions();
    ASSERT_NE(frame.options(), nullptr);
    EXPECT_TRUE(frame.options()->isVisible());
    EXPECT_TRUE(frame.options()->isWindow());
    expected << QStringLiteral("Options");
    EXPECT_EQ(windowNames(), expected);

    frame.showDiagnostics();
    EXPECT_TRUE(frame.diagnose()->isVisible());
}

TEST_F(FrameWindowTest, ClosingSavesTheSettingsAndReleasesTheWindows)
{
    writeIni("Scheibenanzahl=3\r\nWechselzeit=45\r\n", "Scheibe2=3.30\r\nScheibe7=9.90\r\n");
    frmMDI& frame = startFrame();
    frame.openOptions();
    s().RLTitel = QStringLiteral("Finale");
    frame.close();
    flushDeletes();

    const QStringList lines = iniLines();
    for (const char* line :
        {"Wechselzeit=45", "RLTitel=Finale", "Scheibe1=1.10", "Scheibe2=3.30", "Scheibe3=1.10", "Scheibe7=9.90"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;

    EXPECT_EQ(frame.count(), 0);
    EXPECT_EQ(frame.rangliste(), nullptr);
    EXPECT_EQ(frame.werbung(), nullptr);
    EXPECT_EQ(frame.options(), nullptr);
    EXPECT_TRUE(frame.workspace()->findChildren<Scheibe*>().isEmpty());
    // The diagnostics window stays loaded until the program ends.
    EXPECT_EQ(windowNames(), (QStringList {QStringLiteral("frmMDI"), QStringLiteral("frmDiagnose")}));
    EXPECT_FALSE(frame.timers().tmrWatchdog.isEnabled());
}

TEST_F(FrameWindowTest, RebuildCreatesTheTargetsAnewFromTheSettings)
{
    writeIni("Scheibenanzahl=10\r\nScheibenProSeite=4\r\nBlaettern=1\r\nBuliAnordnung=0\r\n");
    frmMDI& frame = startFrame();
    frame.timers().tmrStartUp.fire();
    frame.openOptions();
    const QString caption = frame.windowTitle();

    s().Scheibenanzahl = 6;
    s().Blaettern = 0;
    frame.rebuildFrame();
    flushDeletes();

    EXPECT_EQ(frame.count(), 6);
    EXPECT_EQ(visibleLanes(), laneRange(1, 6));
    EXPECT_EQ(frame.workspace()->findChildren<Scheibe*>().size(), 6);
    EXPECT_EQ(frame.options(), nullptr);
    EXPECT_NE(frame.rangliste(), nullptr);
    EXPECT_NE(frame.werbung(), nullptr);
    EXPECT_EQ(frame.windowTitle(), caption);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(running(), (QList<bool> {true, false, false}));
    EXPECT_TRUE(iniLines().contains(QStringLiteral("Scheibenanzahl=6")));
    EXPECT_EQ(windowNames().count(QStringLiteral("frmRangliste")), 1);
    EXPECT_EQ(windowNames().count(QStringLiteral("Scheibe")), 6);

    frame.timers().tmrStartUp.fire();
    EXPECT_EQ(running(), (QList<bool> {false, true, true}));

    // The ranking title goes to the new ranking window.
    frame.setRankingTitle(QStringLiteral("Kreismeisterschaft"));
    auto* title = frame.rangliste()->findChild<QLabel*>(QStringLiteral("lblRanlistenTitel"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Kreismeisterschaft"));
}

} // namespace
