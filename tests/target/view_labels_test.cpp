#include "target/TargetLabels.h"
#include "view_test_target.h"

#include <gtest/gtest.h>

namespace
{

class LabelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetViewTestState();
        model = viewTestTarget();
    }

    Einstellungen& settings() { return ProgramState::instance().settings; }
    const LabelCaptions& captions() const { return model.captions; }
    void belegen() { TargetLabels::TextBelegen(model, settings()); }

    TargetModel model;
};

TEST_F(LabelsTest, NumbersAsText)
{
    EXPECT_EQ(TargetLabels::singleText(9.7f), QStringLiteral("9.7"));
    EXPECT_EQ(TargetLabels::singleText(104.3f), QStringLiteral("104.3"));
    EXPECT_EQ(TargetLabels::singleText(5.0f), QStringLiteral("5"));
    EXPECT_EQ(TargetLabels::singleText(-0.5f), QStringLiteral("-0.5"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TargetLabels::singleText(9.7f), QStringLiteral("9,7"));
}

TEST_F(LabelsTest, ShotNumberByDisplayMode)
{
    viewTestShots(model, 5);
    settings().AusfAnzeige = 0;
    belegen();
    EXPECT_EQ(captions().lblSchussNr, QStringLiteral("(5)"));
    settings().AusfAnzeige = 1;
    belegen();
    EXPECT_EQ(captions().lblSchussNr, QStringLiteral("5.Schuss"));
}

TEST_F(LabelsTest, PlaceOnlyInTheMatch)
{
    model.Platz = 3;
    model.records.Scheibe.Probe = TaggedValue(-1);
    settings().AusfAnzeige = 1;
    belegen();
    EXPECT_EQ(captions().lblPlatz, QString());

    model.records.Scheibe.Probe = TaggedValue(0);
    settings().AusfAnzeige = 0;
    belegen();
    EXPECT_EQ(captions().lblPlatz, QStringLiteral("3."));
    settings().AusfAnzeige = 1;
    belegen();
    EXPECT_EQ(captions().lblPlatz, QStringLiteral("3.Platz"));

    model.Platz = 0;
    belegen();
    EXPECT_EQ(captions().lblPlatz, QString());
}

TEST_F(LabelsTest, RingValueWholeOrWithTenths)
{
    viewTestShots(model, 2);
    model.records.AktuellerSatz.Ringwert[1] = 9.7f;
    model.records.AktuellerSatz.Gesamt = 19.7f;
    settings().ZehntelAnzeige = 0;
    belegen();
    EXPECT_EQ(captions().lblRingwert, QStringLiteral("9"));
    EXPECT_EQ(captions().lblGesamt, QStringLiteral("19.7"));
    settings().ZehntelAnzeige = 1;
    belegen();
    EXPECT_EQ(captions().lblRingwert, QStringLiteral("9.7"));

    settings().ZehntelAnzeige = 0;
    const auto paint = TargetLabels::paintTimeLabels(model, settings());
    ASSERT_TRUE(paint.ergebnisText.has_value());
    EXPECT_EQ(*paint.ergebnisText, QStringLiteral("9.7 / 19.7"));
}

TEST_F(LabelsTest, NoShotEmptiesTheResults)
{
    viewTestShots(model, 2);
    model.records.AktuellerSatz.SerienLetzter = 0;
    belegen();
    EXPECT_FALSE(captions().lblGesamt.isEmpty());
    EXPECT_FALSE(captions().lblSerie[0].isEmpty());

    model.records.AktuellerSatz.SchussNummer = 0;
    belegen();
    EXPECT_TRUE(captions().lblRingwert.isEmpty());
    EXPECT_TRUE(captions().lblGesamt.isEmpty());
    EXPECT_TRUE(captions().lblSchussNr.isEmpty());
    EXPECT_TRUE(captions().lblErgebnis.isEmpty());
    for (const QString& serie : captions().lblSerie)
        EXPECT_TRUE(serie.isEmpty());
}

TEST_F(LabelsTest, EightSeriesFillOnlySix)
{
    viewTestShots(model, 80);
    SchussSatz& satz = model.records.AktuellerSatz;
    satz.SerienLetzter = 7;
    for (int k = 0; k < 8; ++k)
        satz.SerienWert[static_cast<std::size_t>(k)] = 90.5f + static_cast<float>(k);
    belegen();
    EXPECT_EQ(captions().lblSerie[0], QStringLiteral("90.5"));
    EXPECT_EQ(captions().lblSerie[5], QStringLiteral("95.5"));
}

TEST_F(LabelsTest, SeriesCaptionsBeyondTheLatestStay)
{
    viewTestShots(model, 12);
    model.captions.lblSerie[3] = QStringLiteral("old");
    model.records.AktuellerSatz.SerienLetzter = 1;
    model.records.AktuellerSatz.SerienWert[1] = 20;
    belegen();
    EXPECT_EQ(captions().lblSerie[1], QStringLiteral("20"));
    EXPECT_EQ(captions().lblSerie[3], QStringLiteral("old"));
}

TEST_F(LabelsTest, PendingTitleNameBecomesTheShooter)
{
    model.records.SchuetzenName = TaggedValue(QStringLiteral("Alt"));
    model.gTitelName = QStringLiteral("Neu");
    belegen();
    EXPECT_EQ(captions().lblName, QStringLiteral("Neu"));
    EXPECT_EQ(captions().lblTitelName, QStringLiteral("Neu"));
    EXPECT_TRUE(model.gTitelName.isEmpty());
    belegen();
    EXPECT_EQ(captions().lblName, QStringLiteral("Neu"));

    model.records.SchuetzenName = TaggedValue();
    belegen();
    EXPECT_EQ(captions().lblName, QString());
}

TEST_F(LabelsTest, LatestIndexOutsideTheArraysIsSkipped)
{
    viewTestShots(model, 2);
    model.captions.lblRingwert = QStringLiteral("keep");
    model.records.AktuellerSatz.LetzterIndex = 400;
    belegen();
    EXPECT_EQ(captions().lblRingwert, QStringLiteral("keep"));
    EXPECT_EQ(captions().lblSchussNr, QStringLiteral("(2)"));
    EXPECT_FALSE(TargetLabels::paintTimeLabels(model, settings()).ergebnisText.has_value());
}

struct SeriesCase {
    double schussZahl;
    double serienlaenge;
    int shown;
};

class SeriesVisibilityTest : public LabelsTest, public ::testing::WithParamInterface<SeriesCase>
{
};

TEST_P(SeriesVisibilityTest, CountOfSeriesLabels)
{
    settings().SerienErgebnisse = 1;
    model.records.Wettbewerb.SchussZahl = TaggedValue(GetParam().schussZahl);
    model.records.Wettbewerb.Serienlaenge = TaggedValue(GetParam().serienlaenge);
    const auto paint = TargetLabels::paintTimeLabels(model, settings());
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(paint.serieVisible[static_cast<std::size_t>(k)], k < GetParam().shown) << k;
}

INSTANTIATE_TEST_SUITE_P(Table, SeriesVisibilityTest,
    ::testing::Values(SeriesCase {40, 10, 4}, SeriesCase {60, 10, 6}, SeriesCase {70, 10, 0}, SeriesCase {9, 10, 0},
        SeriesCase {10, 10, 1}, SeriesCase {45, 10, 4}, SeriesCase {40, 0, 0}, SeriesCase {-40, 10, 0}));

TEST_F(LabelsTest, SeriesHiddenWithoutTheSetting)
{
    settings().SerienErgebnisse = 0;
    const auto paint = TargetLabels::paintTimeLabels(model, settings());
    for (bool visible : paint.serieVisible)
        EXPECT_FALSE(visible);
}

TEST_F(LabelsTest, QuickDisplayShowsResultAndTitle)
{
    settings().Schnellanzeige = 0;
    auto paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_FALSE(paint.ergebnisVisible);
    EXPECT_FALSE(paint.titelNameVisible);
    EXPECT_FALSE(paint.ergebnisText.has_value());
    settings().Schnellanzeige = 2;
    paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_TRUE(paint.ergebnisVisible);
    EXPECT_TRUE(paint.titelNameVisible);
}

class PositionTest : public LabelsTest
{
protected:
    TargetLabels::LabelLayout designed() const
    {
        TargetLabels::LabelLayout l;
        l.titelName = QRectF(0, 200, 340, 27);
        l.name = QRectF(8, 232, 40, 22);
        l.ringwert = QRectF(8, 280, 30, 22);
        l.gesamt = QRectF(176, 288, 161, 25);
        l.schussNr = QRectF(8, 312, 97, 25);
        l.platz = QRectF(184, 312, 161, 25);
        for (int k = 0; k < 6; ++k)
            l.serie[static_cast<std::size_t>(k)] = QRectF(3 + 40 * k, 176, 41, 20);
        return l;
    }
};

TEST_F(PositionTest, CompactLayoutMovesTheResultsOutOfSight)
{
    settings().Scheibenanzahl = 6;
    settings().chkEinZeilig = 0;
    const auto l = TargetLabels::TextPositionieren(designed(), 1000, settings());
    EXPECT_DOUBLE_EQ(l.titelName.left(), 25);
    EXPECT_DOUBLE_EQ(l.titelName.top(), 960 - 27);
    EXPECT_DOUBLE_EQ(l.titelName.width(), 950);
    for (const QRectF& r : {l.name, l.ringwert, l.gesamt, l.schussNr, l.platz, l.serie[0], l.serie[5]})
        EXPECT_DOUBLE_EQ(r.top(), 10000);
    EXPECT_DOUBLE_EQ(l.name.left(), 8);
}

TEST_F(PositionTest, FullLayoutStacksTheLabels)
{
    settings().Scheibenanzahl = 8;
    const TargetLabels::LabelLayout d = designed();
    const auto l = TargetLabels::TextPositionieren(d, 1000, settings());
    for (int k = 0; k < 6; ++k) {
        EXPECT_DOUBLE_EQ(l.serie[static_cast<std::size_t>(k)].top(), 970);
        EXPECT_DOUBLE_EQ(l.serie[static_cast<std::size_t>(k)].left(), d.serie[static_cast<std::size_t>(k)].left());
    }
    EXPECT_DOUBLE_EQ(l.name.top(), 970 + 20 + 25);
    EXPECT_DOUBLE_EQ(l.name.left(), 25);
    EXPECT_DOUBLE_EQ(l.ringwert.top(), 1015 + 22 + 25);
    EXPECT_DOUBLE_EQ(l.gesamt.top(), l.ringwert.top());
    EXPECT_DOUBLE_EQ(l.gesamt.left(), 25 + 30);
    EXPECT_DOUBLE_EQ(l.gesamt.width(), 0.85 * (1000 - 55 - 25));
    EXPECT_DOUBLE_EQ(l.gesamt.height(), 25);
    EXPECT_DOUBLE_EQ(l.schussNr.top(), 1062 + 25 + 25);
    EXPECT_DOUBLE_EQ(l.platz.top(), l.schussNr.top());
    EXPECT_DOUBLE_EQ(l.platz.left(), 25 + 97);
    EXPECT_DOUBLE_EQ(l.platz.width(), 0.85 * (1000 - 122 - 25));
}

TEST_F(PositionTest, OneLineDisplayUsesTheFullLayout)
{
    settings().Scheibenanzahl = 4;
    settings().chkEinZeilig = 1;
    const auto l = TargetLabels::TextPositionieren(designed(), 1000, settings());
    EXPECT_DOUBLE_EQ(l.serie[0].top(), 970);
}

} // namespace
