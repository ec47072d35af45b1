#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"
#include "target/DefinitionFiles.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

namespace
{

using namespace DefinitionFiles;

QString dataDir()
{
    return FileLookup::join(qEnvironmentVariable("OMR_SOURCE_DIR"), QStringLiteral("data"));
}

QString dataFile(const QString& name)
{
    return FileLookup::join(dataDir(), name);
}

int itemCount(const QString& path)
{
    SequentialReader reader(path);
    if (!reader.open())
        return -1;
    int count = 0;
    while (!reader.atEnd()) {
        reader.readItem();
        ++count;
    }
    return count;
}

const QStringList kDisziplinen {
    QStringLiteral("1.10"),
    QStringLiteral("1.40"),
    QStringLiteral("1.52"),
    QStringLiteral("2.10"),
    QStringLiteral("2.20"),
    QStringLiteral("2.40D"),
    QStringLiteral("2.40P"),
    QStringLiteral("2.50D"),
    QStringLiteral("2.50P"),
    QStringLiteral("2.60"),
};

TEST(ShippedData, EveryCompetitionLoadsWithItsTargetAndWeapon)
{
    QSet<QString> referenced;
    for (const QString& nummer : kDisziplinen) {
        SCOPED_TRACE(nummer.toStdString());
        TestDialogs::clear();
        const QString path = dataFile(wettbewerbsDateiFuer(nummer));
        EXPECT_EQ(itemCount(path), 35);
        const WettbewerbsDaten w = LadeWettbewerbsDatei(path);
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
        EXPECT_FALSE(w.Bezeichnung.toString().isEmpty());
        EXPECT_GE(w.Serienlaenge.toDouble(), 1);
        EXPECT_GE(w.SchussZahl.toDouble(), w.Serienlaenge.toDouble());

        const QString scheibe = w.DateiScheibe.toString();
        const QString waffe = w.DateiWaffe.toString();
        ASSERT_FALSE(scheibe.isEmpty());
        ASSERT_FALSE(waffe.isEmpty());
        referenced << scheibe << waffe;
        EXPECT_EQ(itemCount(dataFile(scheibe)), 23);
        EXPECT_EQ(itemCount(dataFile(waffe)), 6);
        ScheibenDaten s;
        WaffenDaten d;
        EXPECT_NO_THROW(LadeScheibenDaten(dataFile(scheibe), s));
        EXPECT_NO_THROW(LadeWaffenDatei(dataFile(waffe), d));
        EXPECT_FALSE(s.Probe.toBool());
        EXPECT_GT(d.AnzeigeRadius.toDouble(), 0);
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
    }
    // No definition file lies about unused.
    const QStringList present
        = QDir(dataDir()).entryList({QStringLiteral("sd_*.def"), QStringLiteral("wd_*.def")}, QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), referenced);
}

// Reference figures of the real targets in millimetres: ring diameters from
// the ten outwards, inner ten, black, card, and the ring numbers printed.
struct Referenz {
    const char* datei;
    QList<double> ringe; // diameter of the 10, 9, 8, ... ring down to the lowest scoring ring
    double innenZehner;
    double spiegel;
    double karton;
    int ringMin;
    int ringMax;
};

const Referenz kReferenzen[] = {
    {"sd_lg10.def", {0.5, 5.5, 10.5, 15.5, 20.5, 25.5, 30.5, 35.5, 40.5, 45.5}, 0, 30.5, 80, 1, 8},
    {"sd_lp10.def", {11.5, 27.5, 43.5, 59.5, 75.5, 91.5, 107.5, 123.5, 139.5, 155.5}, 5, 59.5, 170, 1, 8},
    {"sd_kk50.def", {10.4, 26.4, 42.4, 58.4, 74.4, 90.4, 106.4, 122.4, 138.4, 154.4}, 5, 112.4, 250, 1, 8},
    {"sd_pp25.def", {50, 100, 150, 200, 250, 300, 350, 400, 450, 500}, 25, 200, 550, 1, 9},
    {"sd_sf25.def", {100, 180, 260, 340, 420, 500}, 50, 500, 550, 5, 9},
};

TEST(ShippedData, TargetRingsReproduceTheRealTargets)
{
    for (const Referenz& ref : kReferenzen) {
        SCOPED_TRACE(ref.datei);
        ScheibenDaten s;
        ASSERT_NO_THROW(LadeScheibenDaten(dataFile(QLatin1String(ref.datei)), s));
        // Target units are 1/100 mm.
        const auto mm = [](const TaggedValue& v) { return v.toDouble() / 100; };
        const double zehner = mm(s.ZehnerRadius);
        const double breite = mm(s.Ringbreite);
        const int anzahl = int(s.RingAnzahl.toDouble());

        // Ring v is bounded outside by circle RingAnzahl - v, whose number
        // (RingAnzahl - 1 - i for circle i) is printed in the band beyond it.
        for (int n = 0; n < ref.ringe.size(); ++n) {
            const int ring = 10 - n;
            const int kreis = ring == 10 ? 0 : anzahl - ring;
            EXPECT_NEAR(2 * (zehner + kreis * breite), ref.ringe[n], 1e-9) << "ring " << ring;
        }
        EXPECT_NEAR(2 * mm(s.AussenRadius), ref.ringe.last(), 1e-9);
        EXPECT_NEAR(2 * mm(s.InnenZehnerRadius), ref.innenZehner, 1e-9);
        EXPECT_NEAR(2 * mm(s.SpiegelRadius), ref.spiegel, 1e-9);
        EXPECT_NEAR(mm(s.KartonBreite), ref.karton, 1e-9);
        EXPECT_NEAR(mm(s.KartonHoehe), ref.karton, 1e-9);
        EXPECT_EQ(s.RingMin.toDouble(), ref.ringMin);
        EXPECT_EQ(s.RingMax.toDouble(), ref.ringMax);
        // The circle beyond the lowest scoring ring is not a ring any more.
        const int niedrigster = 11 - int(ref.ringe.size());
        EXPECT_GT(zehner + (anzahl - niedrigster + 1) * breite, mm(s.AussenRadius));
        // The card holds the whole scoring area.
        EXPECT_GT(mm(s.KartonBreite), 2 * mm(s.AussenRadius));
    }
}

TEST(ShippedData, ShotMarksHaveTheRadiusOfTheCalibre)
{
    const struct {
        const char* datei;
        double kaliber;
    } waffen[] = {
        {"wd_lg.def", 4.5},
        {"wd_lp.def", 4.5},
        {"wd_kk.def", 5.6},
        {"wd_kkp.def", 5.6},
        {"wd_zf.def", 9.0},
    };
    for (const auto& w : waffen) {
        WaffenDaten d;
        ASSERT_NO_THROW(LadeWaffenDatei(dataFile(QLatin1String(w.datei)), d)) << w.datei;
        EXPECT_NEAR(2 * d.AnzeigeRadius.toDouble() / 100, w.kaliber, 1e-9) << w.datei;
    }
}

TEST(ShippedData, NamesAreWindows1252)
{
    ScheibenDaten s;
    LadeScheibenDaten(dataFile(QStringLiteral("sd_pp25.def")), s);
    EXPECT_EQ(s.Bezeichnung.toString(), QStringLiteral("Pr\u00e4zisionsscheibe 25 m / 50 m"));
}

} // namespace
