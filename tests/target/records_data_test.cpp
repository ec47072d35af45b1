#include "platform/ProgramInfo.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"
#include "target/DefinitionFiles.h"
#include "target_test_support.h"

#include <QDir>
#include <QSet>

namespace {

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
    for (; !reader.atEnd(); ++count)
        reader.readItem();
    return count;
}

// Every discipline's files load beside the program without a box, and the
// window can zoom onto the face they give.
TEST(ShippedData, EveryDisciplineLoadsAndZooms)
{
    ProgramState::reset();
    ProgramInfo::setDirectoryForTest(dataDir());
    QSet<QString> referenced;
    for (const char* nummer : {"1.10", "1.40", "1.52", "2.10", "2.20", "2.40D", "2.40P", "2.50D", "2.50P", "2.60"}) {
        SCOPED_TRACE(nummer);
        TestDialogs::clear();
        TargetModel model;
        model.DisziplinNr = QLatin1String(nummer);
        model.Laden(ProgramState::instance().settings);
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
        const WettbewerbsDaten& w = model.records.Wettbewerb;
        EXPECT_EQ(itemCount(dataFile(wettbewerbsDateiFuer(model.DisziplinNr))), 35);
        EXPECT_FALSE(w.Bezeichnung.toString().isEmpty());
        EXPECT_GE(w.Serienlaenge.toDouble(), 1);
        EXPECT_GE(w.SchussZahl.toDouble(), w.Serienlaenge.toDouble());
        const QString scheibe = w.DateiScheibe.toString();
        const QString waffe = w.DateiWaffe.toString();
        referenced << scheibe << waffe;
        EXPECT_EQ(itemCount(dataFile(scheibe)), 23);
        EXPECT_EQ(itemCount(dataFile(waffe)), 6);
        EXPECT_FALSE(model.probe());
        EXPECT_GT(model.records.Waffe.AnzeigeRadius.toDouble(), 0);
        EXPECT_GT(model.records.Scheibe.Ringbreite.toDouble(), 0);
        // Step 1 shows the whole scoring area.
        EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
        EXPECT_GT(model.SichtBreite, 2 * model.records.Scheibe.AussenRadius.toDouble());
    }
    ProgramInfo::setDirectoryForTest(QString());
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
    const std::pair<const char*, double> waffen[]
        = {{"wd_lg.def", 4.5}, {"wd_lp.def", 4.5}, {"wd_kk.def", 5.6}, {"wd_kkp.def", 5.6}, {"wd_zf.def", 9.0}};
    for (const auto& [datei, kaliber] : waffen) {
        WaffenDaten d;
        ASSERT_NO_THROW(LadeWaffenDatei(dataFile(QLatin1String(datei)), d)) << datei;
        EXPECT_NEAR(2 * d.AnzeigeRadius.toDouble() / 100, kaliber, 1e-9) << datei;
    }
}

TEST(ShippedData, NamesAreWindows1252)
{
    ScheibenDaten s;
    LadeScheibenDaten(dataFile(QStringLiteral("sd_pp25.def")), s);
    EXPECT_EQ(s.Bezeichnung.toString(), QStringLiteral("Pr\u00e4zisionsscheibe 25 m / 50 m"));
}

} // namespace
