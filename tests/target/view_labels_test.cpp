#include "target/TargetLabels.h"
#include "target_test_support.h"

#include <array>

namespace {

class LabelsTest : public ViewTest {
protected:
    const LabelCaptions& captions() const { return model.captions; }
    void belegen() { TargetLabels::TextBelegen(model, settings()); }
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

TEST_F(LabelsTest, ShotNumberAndPlaceByDisplayMode)
{
    viewTestShots(model, 5);
    // Sighting, display mode, place; shot number and place captions.
    const struct {
        int probe, ausf, platz;
        const char *schussNr, *platzText;
    } rows[] = {{0, 0, 3, "(5)", "3."}, {0, 1, 3, "5.Schuss", "3.Platz"}, {-1, 1, 3, "5.Schuss", ""},
        {0, 1, 0, "5.Schuss", ""}};
    for (const auto& row : rows) {
        model.records.Scheibe.Probe = TaggedValue(row.probe);
        settings().AusfAnzeige = std::uint8_t(row.ausf);
        model.Platz = std::int16_t(row.platz);
        belegen();
        EXPECT_EQ(captions().lblSchussNr, QLatin1String(row.schussNr));
        EXPECT_EQ(captions().lblPlatz, QLatin1String(row.platzText)) << row.probe << row.ausf << row.platz;
    }
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

TEST_F(LabelsTest, EightSeriesFillOnlySixAndLaterCaptionsStay)
{
    viewTestShots(model, 80);
    SchussSatz& satz = model.records.AktuellerSatz;
    satz.SerienLetzter = 7;
    for (std::size_t k = 0; k < 8; ++k)
        satz.SerienWert[k] = 90.5f + float(k);
    belegen();
    EXPECT_EQ(captions().lblSerie[0], QStringLiteral("90.5"));
    EXPECT_EQ(captions().lblSerie[5], QStringLiteral("95.5"));

    // Captions beyond the latest series stay.
    viewTestShots(model, 12);
    model.captions.lblSerie[3] = QStringLiteral("old");
    satz.SerienLetzter = 1;
    satz.SerienWert[1] = 20;
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

TEST_F(LabelsTest, SeriesResultAndTitleShownByTheirSettings)
{
    // Shots of the competition, series length, series labels shown.
    const std::array<double, 3> rows[]
        = {{40, 10, 4}, {60, 10, 6}, {70, 10, 0}, {9, 10, 0}, {10, 10, 1}, {45, 10, 4}, {40, 0, 0}, {-40, 10, 0}};
    settings().SerienErgebnisse = 1;
    for (const auto& row : rows) {
        model.records.Wettbewerb.SchussZahl = TaggedValue(row[0]);
        model.records.Wettbewerb.Serienlaenge = TaggedValue(row[1]);
        const auto paint = TargetLabels::paintTimeLabels(model, settings());
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(paint.serieVisible[k], k < row[2]) << row[0] << " shots, label " << k;
    }

    settings().SerienErgebnisse = 0;
    settings().Schnellanzeige = 0;
    auto paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_FALSE(paint.serieVisible[0]);
    EXPECT_FALSE(paint.ergebnisVisible);
    EXPECT_FALSE(paint.titelNameVisible);
    EXPECT_FALSE(paint.ergebnisText.has_value());
    settings().Schnellanzeige = 2;
    paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_TRUE(paint.ergebnisVisible);
    EXPECT_TRUE(paint.titelNameVisible);
}

class PositionTest : public LabelsTest {
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
        for (std::size_t k = 0; k < 6; ++k)
            l.serie[k] = QRectF(3 + 40 * double(k), 176, 41, 20);
        return l;
    }
};

TEST_F(PositionTest, CompactLayoutMovesTheResultsOutOfSight)
{
    settings().Scheibenanzahl = 6;
    settings().chkEinZeilig = 0;
    const auto l = TargetLabels::TextPositionieren(designed(), 1000, settings());
    EXPECT_EQ(l.titelName, QRectF(25, 960 - 27, 950, 27));
    for (const QRectF& r : {l.name, l.ringwert, l.gesamt, l.schussNr, l.platz, l.serie[0], l.serie[5]})
        EXPECT_DOUBLE_EQ(r.top(), 10000);
    EXPECT_DOUBLE_EQ(l.name.left(), 8);
}

TEST_F(PositionTest, FullLayoutStacksTheLabels)
{
    settings().Scheibenanzahl = 8;
    const TargetLabels::LabelLayout d = designed();
    const auto l = TargetLabels::TextPositionieren(d, 1000, settings());
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(l.serie[k].topLeft(), QPointF(d.serie[k].left(), 970));
    EXPECT_EQ(l.name.topLeft(), QPointF(25, 970 + 20 + 25));
    EXPECT_EQ(l.gesamt, QRectF(25 + 30, 1015 + 22 + 25, 0.85 * (1000 - 55 - 25), 25));
    EXPECT_DOUBLE_EQ(l.ringwert.top(), l.gesamt.top());
    EXPECT_EQ(l.platz, QRectF(25 + 97, 1062 + 25 + 25, 0.85 * (1000 - 122 - 25), 25));
    EXPECT_DOUBLE_EQ(l.schussNr.top(), l.platz.top());

    // A one-line display of few targets uses the full layout too.
    settings().Scheibenanzahl = 4;
    settings().chkEinZeilig = 1;
    EXPECT_DOUBLE_EQ(TargetLabels::TextPositionieren(d, 1000, settings()).serie[0].top(), 970);
}

} // namespace
