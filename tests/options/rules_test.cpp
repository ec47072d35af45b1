#include "options/AdvertisingFolder.h"
#include "options/OptionRules.h"
#include "options/OptionsCloseHandler.h"
#include "options/OptionsCloseView.h"
#include "options/WorkingCopies.h"
#include "options_host.h"
#include "platform/ProfileDocument.h"
#include "shell/FrameCaption.h"
#include "shell/SettingsFile.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"

#include <QDir>

#include <array>
#include <cmath>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Count, per page, first and last shown target, change time.
using Copies = std::array<int, 5>;

TEST(OptionsRules, SteppersStepOrStayAtTheirLimitsAndTheChangeTimeRunsInARing)
{
    using W = WorkingCopies;
    const struct {
        const char* what;
        bool (WorkingCopies::*step)();
        Copies before;
        Copies after; // equal to before: the click changes nothing
    } cases[] = {{"count minus", &W::Minus, {8, 4, 1, 8, 0}, {7, 4, 1, 8, 0}},
        {"count minus to 0", &W::Minus, {1, 1, 1, 1, 0}, {0, 1, 1, 1, 0}},
        {"count minus at 0", &W::Minus, {0, 0, 1, 1, 0}, {0, 0, 1, 1, 0}},
        {"per page plus at count 0", &W::cmdPlusAnzSeite, {0, 0, 1, 1, 0}, {0, 0, 1, 1, 0}},
        {"first plus at count 0", &W::cmdAnfangPlus, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"count plus", &W::Plus, {8, 4, 1, 8, 0}, {9, 4, 1, 8, 0}},
        {"count plus at 255", &W::Plus, {255, 4, 1, 8, 0}, {255, 4, 1, 8, 0}},
        {"per page plus at count", &W::cmdPlusAnzSeite, {8, 8, 1, 8, 0}, {8, 8, 1, 8, 0}},
        {"per page plus", &W::cmdPlusAnzSeite, {8, 7, 1, 8, 0}, {8, 8, 1, 8, 0}},
        {"per page minus", &W::cmdMinusAnzSeite, {8, 2, 1, 8, 0}, {8, 1, 1, 8, 0}},
        {"per page minus to 0", &W::cmdMinusAnzSeite, {8, 1, 1, 8, 0}, {8, 0, 1, 8, 0}},
        {"per page minus at 0", &W::cmdMinusAnzSeite, {8, 0, 1, 8, 0}, {8, 0, 1, 8, 0}},
        {"first plus", &W::cmdAnfangPlus, {8, 8, 4, 5, 0}, {8, 8, 5, 5, 0}},
        {"first plus at count", &W::cmdAnfangPlus, {4, 4, 4, 6, 0}, {4, 4, 4, 6, 0}},
        {"first minus at 1", &W::cmdAnfangMinus, {8, 8, 1, 5, 0}, {8, 8, 1, 5, 0}},
        {"first minus", &W::cmdAnfangMinus, {8, 8, 3, 5, 0}, {8, 8, 2, 5, 0}},
        {"last minus at 1", &W::cmdEndMinus, {8, 8, 0, 1, 0}, {8, 8, 0, 1, 0}},
        {"last plus", &W::cmdEndPlus, {8, 8, 5, 5, 0}, {8, 8, 5, 6, 0}},
        {"last plus at 0", &W::cmdEndPlus, {8, 8, 0, 0, 0}, {8, 8, 0, 0, 0}},
        {"change time plus", &W::cmdPlusWechselzeit, {8, 8, 1, 8, 0}, {8, 8, 1, 8, 10}},
        // The other limits of the ring are walked on the dialog's buttons.
        {"change time minus below 10", &W::cmdMinusWechselzeit, {8, 8, 1, 8, 5}, {8, 8, 1, 8, 9990}},
        {"change time minus to 0", &W::cmdMinusWechselzeit, {8, 8, 1, 8, 10}, {8, 8, 1, 8, 0}}};
    for (const auto& c : cases) {
        WorkingCopies m;
        m.mScheibenanzahl = static_cast<std::uint8_t>(c.before[0]);
        m.mScheibenProSeite = static_cast<std::uint8_t>(c.before[1]);
        m.mAnfScheibe = static_cast<std::int16_t>(c.before[2]);
        m.mEndScheibe = static_cast<std::int16_t>(c.before[3]);
        m.mWechselzeit = static_cast<std::int16_t>(c.before[4]);
        EXPECT_EQ((m.*c.step)(), c.after != c.before) << c.what;
        EXPECT_EQ(
            Copies({m.mScheibenanzahl, m.mScheibenProSeite, m.mAnfScheibe, m.mEndScheibe, m.mWechselzeit}), c.after)
            << c.what;
    }
}

TEST(OptionsRules, AdvertisingTimesStayWithinZeroToThirty)
{
    const struct {
        int from;
        bool (*step)(std::uint8_t&);
        int to; // equal to from: the click changes nothing
    } cases[] = {{30, AdvertisingSteppers::plus, 30}, {30, AdvertisingSteppers::minus, 29},
        {0, AdvertisingSteppers::minus, 0}, {200, AdvertisingSteppers::plus, 200}, // from a hand-edited file
        {200, AdvertisingSteppers::minus, 199}};
    for (const auto& c : cases) {
        auto seconds = static_cast<std::uint8_t>(c.from);
        EXPECT_EQ(c.step(seconds), c.to != c.from) << c.from;
        EXPECT_EQ(seconds, c.to);
    }
}

TEST(OptionsRules, ResolutionCodeDependsOnTheStartPosition)
{
    for (int button = 0; button < 4; ++button) {
        EXPECT_EQ(OptionRules::resolutionCode(button, 2), button);
        EXPECT_EQ(OptionRules::resolutionCode(button, 0), 100 + button);
        EXPECT_EQ(OptionRules::resolutionCode(button, 1), 100 + button);
        EXPECT_EQ(OptionRules::resolutionButton(button), button);
        EXPECT_EQ(OptionRules::resolutionButton(100 + button), button);
    }
    for (int code : {4, 5, 99, 104, 255, -1})
        EXPECT_FALSE(OptionRules::resolutionButton(code).has_value()) << code;
}

TEST(OptionsRules, ColoursAndNumberFieldsAreRoundedAndLimited)
{
    // The sighting colour ring itself is walked on the dialog's swatch; outside it steps to red.
    for (std::uint32_t outside : {1u, 128u, 0xFFFFFFu, 0x00FF01u})
        EXPECT_EQ(OptionRules::nextSightingColour(outside), 255u) << outside;
    const std::pair<double, std::uint32_t> colours[]
        = {{255.0, 255u}, {254.5, 254u}, {255.5, 256u}, {-3, 0u}, {1e20, 0xFFFFFFu}, {std::nan(""), 0u}};
    for (const auto& [setting, colour] : colours)
        EXPECT_EQ(OptionRules::colourFromSetting(setting), colour) << setting;
    const std::pair<const char*, int> numbers[]
        = {{"7.5", 8}, {"6.5", 6}, {"", 0}, {"12abc", 12}, {"abc", 0}, {"  42", 42}, {"-3", -3}, {"-2.5", -2},
            {"32767", 32767}, {"-32768", -32768}, {"40000", 32767}, {"-99999", -32768}, {"1e9", 32767}, {"1 2", 12}};
    for (const auto& [text, expected] : numbers)
        EXPECT_EQ(OptionRules::numberField(QString::fromLatin1(text)), expected) << text;
}

using AdvertisingFolderTest = ProgramFolderTest;

TEST_F(AdvertisingFolderTest, MissingFolderIsCreatedAnExistingOneFoundAndAFileOfThatNameLeftAlone)
{
    const QString created = AdvertisingFolder::ensure(dir());
    EXPECT_TRUE(QFileInfo(created).isDir());
    EXPECT_EQ(QFileInfo(created).fileName(), u"werbung"_s);
    QDir(created).removeRecursively();
    QDir(dir()).mkdir(u"Werbung"_s);
    EXPECT_EQ(QFileInfo(AdvertisingFolder::ensure(dir())).fileName(), u"Werbung"_s);
    EXPECT_FALSE(QFileInfo::exists(file(u"werbung"_s)));

    QDir(dir()).rmdir(u"Werbung"_s);
    write(u"werbung"_s, "not a folder");
    const QString path = AdvertisingFolder::ensure(dir());
    EXPECT_FALSE(QFileInfo(path).isDir());
    EXPECT_EQ(read(u"werbung"_s), QByteArray("not a folder"));
    write(u"logo.jpg"_s, "jpg");
    EXPECT_FALSE(AdvertisingFolder::addPicture(dir(), u"logo.jpg"_s, path));
}

TEST_F(AdvertisingFolderTest, AddingReplacesThePictureOfThatNameAndAFailedCopyKeepsIt)
{
    const QString target = AdvertisingFolder::ensure(dir());
    const auto pictures = [&target] { return QDir(target).entryList(QDir::Files); };
    write(u"werbung/hb_0_logo.jpg"_s, "old");
    EXPECT_FALSE(AdvertisingFolder::addPicture(dir(), u"logo.jpg"_s, target));
    EXPECT_EQ(read(u"werbung/hb_0_logo.jpg"_s), QByteArray("old"));
    EXPECT_EQ(pictures(), QStringList {u"hb_0_logo.jpg"_s});
    // Also when the name differs in letter case, and when the same picture comes twice.
    for (const char* content : {"first", "second"}) {
        write(u"logo.jpg"_s, content);
        EXPECT_TRUE(AdvertisingFolder::addPicture(dir(), u"logo.jpg"_s, target));
        EXPECT_EQ(pictures(), QStringList {u"HB_0_logo.jpg"_s});
        EXPECT_EQ(read(u"werbung/HB_0_logo.jpg"_s), QByteArray(content));
    }
    // Deleting removes only the named picture.
    write(u"werbung/HB_0_b.bmp"_s, "b");
    EXPECT_TRUE(AdvertisingFolder::deletePicture(target, u"HB_0_logo.jpg"_s));
    EXPECT_FALSE(AdvertisingFolder::deletePicture(target, QString()));
    EXPECT_EQ(pictures(), QStringList {u"HB_0_b.bmp"_s});
}

class FakeView : public OptionsCloseView {
public:
    void setNummerierungEnabled(bool enabled) override { nummerierung = enabled; }
    void beforeRebuild() override { ++rebuildNotices; }
    void hideDialog() override { ++hides; }

    std::optional<bool> nummerierung;
    int rebuildNotices = 0;
    int hides = 0;
};

using Outcome = OptionsCloseHandler::Outcome;

class CloseTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // What the dialog holds right after loading from these settings; the
        // switches and fields not set here are 0 or empty on both sides.
        for (std::uint8_t* count :
            {&s().Scheibenanzahl, &s().ScheibenProSeite, &m.mScheibenanzahl, &m.mScheibenProSeite})
            *count = 8;
        s().AnfScheibe = m.mAnfScheibe = 1;
        s().EndScheibe = m.mEndScheibe = 8;
        s().RLTitel = c.tbxRanglistenTitel = u"Rangliste"_s;
    }

    Outcome close(FakeHost& frame) { return OptionsCloseHandler(state(), frame, view).run(m, c); }
    Outcome close() { return close(host); }
    qsizetype logged(const char* call) const { return host.targets.logged(QLatin1String(call)).size(); }
    qsizetype logIndex(const QString& entry) const { return host.targets.log.indexOf(entry); }

    FakeHost host;
    FakeView view;
    WorkingCopies m;
    OptionsControls c;
};

struct CloseCase {
    const char* what;
    std::function<void(WorkingCopies&, OptionsControls&)> change;
    Outcome outcome;
    int repaints; // of each of the eight targets
    const char* fields; // in the settings record and, unless rebuilt, in the settings file
    std::optional<bool> nummerierung;
};

void PrintTo(const CloseCase& c, std::ostream* out)
{
    *out << c.what;
}

class Close : public CloseTest, public ::testing::WithParamInterface<CloseCase> { };

TEST_P(Close, TakesTheChangeAndRebuildsOnlyForTheLayout)
{
    const CloseCase& t = GetParam();
    t.change(m, c);
    EXPECT_EQ(close(), t.outcome);
    const bool rebuilt = t.outcome == Outcome::Rebuilt;
    EXPECT_EQ(host.rebuilds, rebuilt ? 1 : 0);
    EXPECT_EQ(view.rebuildNotices, rebuilt ? 1 : 0);
    EXPECT_EQ(view.hides, rebuilt ? 0 : 1);
    EXPECT_EQ(logged("Refresh"), 8 * t.repaints);
    EXPECT_EQ(logged("TextBelegen"), 0);
    EXPECT_EQ(host.rankingTitle, s().RLTitel);
    EXPECT_EQ(view.nummerierung, t.nummerierung);
    const QString fields = QString::fromLatin1(t.fields);
    SettingsFields::expect(s(), fields);
    // The frame's rebuild saves; the handler itself does not.
    ASSERT_EQ(QFile::exists(SettingsFile::path()), !rebuilt);
    if (rebuilt) {
        EXPECT_LT(logIndex(u"rebuildFrame"_s), logIndex(u"setRankingTitle"_s));
        return;
    }
    ProfileDocument saved(SettingsFile::path());
    ASSERT_TRUE(saved.load());
    for (const QString& field : fields.split(QLatin1Char(';'))) {
        const QString key = field.section(QLatin1Char('='), 0, 0);
        EXPECT_EQ(key + u'=' + saved.readString(u"Options"_s, key, u"<none>"_s), field);
    }
}

INSTANTIATE_TEST_SUITE_P(Options, Close,
    ::testing::Values(
        CloseCase {"TitleOnly",
            [](WorkingCopies&, OptionsControls& c) { c.tbxRanglistenTitel = u"Kreismeisterschaft 2024"_s; },
            Outcome::InPlace, 0, "RLTitel=Kreismeisterschaft 2024", std::nullopt},
        // The server id is rounded half to even.
        CloseCase {"ServerIdHalfUp", [](WorkingCopies&, OptionsControls& c) { c.tbxKennung = u"7.5"_s; },
            Outcome::InPlace, 0, "VTXServerID=8", std::nullopt},
        CloseCase {"ServerIdHalfDown", [](WorkingCopies&, OptionsControls& c) { c.tbxKennung = u"6.5"_s; },
            Outcome::InPlace, 0, "VTXServerID=6", std::nullopt},
        CloseCase {"PageIntervalOnly", [](WorkingCopies& m, OptionsControls&) { m.mWechselzeit = 120; },
            Outcome::InPlace, 0, "Wechselzeit=120;Scheibenanzahl=8", std::nullopt},
        CloseCase {"HitCrossesEnableNumbering", [](WorkingCopies&, OptionsControls& c) { c.TrefferKreuz = 1; },
            Outcome::InPlace, 1, "Trefferkreuze=1", true},
        CloseCase {"DisplaySwitches",
            [](WorkingCopies&, OptionsControls& c) {
                for (std::uint8_t* box : {&c.chkTrefferKreise, &c.chkZehner_Serie, &c.chkTrefferVergroesserung,
                         &c.chkAutozoom, &c.chkSerienErgebnisse, &c.chkSchnellAnzeige, &c.chkEinZeilig})
                    *box = 1;
            },
            Outcome::InPlace, 1,
            "Trefferkreise=1;SerienAnzeige=1;TrefferVergroessern=1;AutoZoom=1;SerienErgebnisse=1;Schnellanzeige=1;"
            "chkEinZeilig=1",
            std::nullopt},
        CloseCase {"RankingFieldsWorkingCopiesAndSwatch",
            [](WorkingCopies& m, OptionsControls& c) {
                c.tbxDisziplinID = u"4"_s;
                c.tbxKlassenNr = u"2"_s;
                c.tbxWettkampfID = u" 17 "_s;
                c.chkMannschaftsliste = c.chkRanglisteAn = c.chkRngShbWechseln = 1;
                c.datenNetzwerkPfad = u"/srv/korvu"_s;
                c.farbeProbeEcke = 65280;
                m.mVerbindungsArt = m.mAnzeigeServer2 = 1;
                m.mNetzwerkPfad = u"/srv/exchange"_s;
            },
            Outcome::InPlace, 0,
            "KORVUDisziID=4;KORVUKlassenNr=2;KORVUWKID=17;KORVUMannschaft=1;RanglisteAn=1;RangUndScheibe=1;"
            "VerbindungsArt=1;AnzeigeServerNr=1;KORVUPfad=/srv/korvu;NetzwerkPfad=/srv/exchange;FarbeProbeEcke=65280",
            std::nullopt},
        CloseCase {"NewCountLeavesTheTitle",
            [](WorkingCopies& m, OptionsControls& c) {
                m.mScheibenanzahl = 10;
                c.tbxRanglistenTitel = u"Neu"_s;
            },
            Outcome::Rebuilt, 0, "Scheibenanzahl=10;RLTitel=Rangliste", std::nullopt},
        // League arrangement or paging rebuild without taking the display options.
        CloseCase {"LeagueArrangementAndPaging",
            [](WorkingCopies& m, OptionsControls& c) {
                c.chkBuLiAnordnung = c.chkSchnellAnzeige = c.chkBlaettern = 1;
                m.mScheibenProSeite = 4;
            },
            Outcome::Rebuilt, 0, "BuliAnordnung=1;Schnellanzeige=0;Blaettern=1;ScheibenProSeite=4", std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(CloseTest, DetailedDisplayOnlyGetsTextsAtOnceAndRepaintAfterTheSave)
{
    c.chkAusfAnzeige = 1;
    EXPECT_EQ(close(), Outcome::InPlace);
    SettingsFields::expect(s(), u"AusfAnzeige=1"_s);
    const QStringList texts = host.targets.logged(QLatin1String("TextBelegen"));
    const QStringList repaints = host.targets.logged(QLatin1String("Refresh"));
    ASSERT_EQ(texts.size(), 8);
    ASSERT_EQ(repaints.size(), 8);
    EXPECT_EQ(texts.first(), u"TextBelegen 1"_s);
    EXPECT_EQ(repaints.last(), u"Refresh 8"_s);
    EXPECT_LT(logIndex(texts.last()), logIndex(u"DisziplinNr 1"_s));
    EXPECT_LT(logIndex(u"DisziplinNr 1"_s), logIndex(repaints.first()));
}

TEST_F(CloseTest, PagingRecomputesThePageTable)
{
    c.chkBlaettern = 1;
    m.mScheibenProSeite = 4;
    EXPECT_EQ(close(), Outcome::Rebuilt);
    EXPECT_EQ(state().pages.Seitenanzahl, 2);
}

TEST_F(CloseTest, RangeRestrictionShowsOnlyTheRangeAndRebuilds)
{
    const struct {
        int before, after, first, last, count;
        QList<int> visible;
        int storedFirst, storedLast;
    } cases[] = {
        {0, 1, 3, 5, 8, {3, 4, 5}, 3, 5}, {1, 1, 4, 6, 8, {4, 5, 6}, 4, 6}, // moved while ticked
        {0, 1, 3, 5, 6, laneRange(1, 8), 3, 5}, // a new count leaves the visibility to the rebuild
        {0, 0, 3, 5, 8, laneRange(1, 8), 1, 8}, // not stored while the restriction is off
    };
    for (const auto& t : cases) {
        FakeHost frame;
        s().Scheibenanzahl = 8;
        s().AnfEnde = static_cast<std::uint8_t>(t.before);
        s().AnfScheibe = t.before ? 3 : 1;
        s().EndScheibe = t.before ? 5 : 8;
        c.chkAnfEnd = static_cast<std::uint8_t>(t.after);
        m.mAnfScheibe = static_cast<std::int16_t>(t.first);
        m.mEndScheibe = static_cast<std::int16_t>(t.last);
        m.mScheibenanzahl = static_cast<std::uint8_t>(t.count);
        SCOPED_TRACE(testing::Message() << t.first << ".." << t.last << " of " << t.count);
        EXPECT_EQ(close(frame), Outcome::Rebuilt);
        EXPECT_EQ(frame.targets.visibleLanes(), t.visible);
        SettingsFields::expect(
            s(), u"AnfEnde=%1;AnfScheibe=%2;EndScheibe=%3"_s.arg(t.after).arg(t.storedFirst).arg(t.storedLast));
    }
}

TEST_F(CloseTest, CaptionIsReloadedAndGetsTheVersionSuffix)
{
    host.caption = u"Frame"_s;
    close();
    EXPECT_EQ(host.caption, u"Frame"_s + frameCaptionSuffix());
    write(u"Sprache_0.ini"_s, "[frmMidi]\r\nForm_Caption=VTX target display\r\n");
    close();
    EXPECT_EQ(host.caption, u"VTX target display"_s + frameCaptionSuffix());
    EXPECT_EQ(state().language.OptionsTexte[0], u"Optionen"_s);
}

TEST_F(CloseTest, UnwritableProgramFolderKeepsEverythingInMemory)
{
    write(u"plain"_s, "x");
    ProgramInfo::setDirectoryForTest(file(u"plain"_s));
    c.tbxRanglistenTitel = u"Titel"_s;
    c.chkAusfAnzeige = 1;
    EXPECT_EQ(close(), Outcome::InPlace);
    SettingsFields::expect(s(), u"RLTitel=Titel;AusfAnzeige=1"_s);
    EXPECT_EQ(host.rankingTitle, u"Titel"_s);
    EXPECT_EQ(read(u"plain"_s), QByteArray("x"));
    EXPECT_EQ(view.hides, 1);
}

} // namespace
