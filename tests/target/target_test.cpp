#include "platform/RecordingCanvas.h"
#include "platform/SequentialFile.h"
#include "target/DefinitionFiles.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"
#include "target/TargetLabels.h"
#include "target/TargetPainter.h"
#include "target_test_support.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

using namespace Qt::StringLiterals;

namespace {

using namespace DefinitionFiles;

// "int:8", "double:9.7", "text:abc" or "empty".
TaggedValue tagged(const QString& text)
{
    const QString kind = text.section(u':', 0, 0), value = text.section(u':', 1);
    if (kind == u"int")
        return TaggedValue(std::int32_t(value.toInt()));
    return kind == u"double" ? TaggedValue(value.toDouble()) : kind == u"text" ? TaggedValue(value) : TaggedValue();
}

TEST(TaggedValue, ReadsAsTextNumberAndFlagAndComparesByValue)
{
    for (const auto& [where, text, row] : rows(u"tagged_values.txt"_s)) {
        const TaggedValue a = tagged(row[0]);
        const QString as = row[1] == u"==" ? QString::number(a == tagged(row[2]))
                                           : u"%1|%2|%3"_s.arg(a.toString()).arg(a.toDouble()).arg(a.toBool());
        EXPECT_EQ(as, row.mid(row[1] == u"==" ? 3 : 1).join(u'|')) << where;
    }
}

// The four records loaded from a profile file and saved again: every key of
// their section in order. From a file without the sections every key has its
// default; from werte.ini the values read, whole numbers only, empty ones and
// keys not there as their defaults, names compared without case and blanks.
// Then the sequential files, saved as profile files to show every field read:
// the competition file (named in capitals), a target file over a record whose
// fields outside the file stay, and a weapon file; then files that are short,
// missing, and the competition file of each discipline.
TEST_F(ViewTest, DefinitionFilesLoadSaveAndHandOnErrors)
{
    for (const QString& name : {u"leer.ini"_s, u"werte.ini"_s}) {
        WettbewerbsDaten w;
        ScheibenDaten s;
        WaffenDaten f;
        KlassenDaten k;
        const QString source = testData(u"definitions/"_s + name);
        HD_Laden(source, w);
        HS_Laden(source, s);
        HW_Laden(source, f);
        HK_Laden(source, k);
        const QString saved = file(name);
        HD_Speichern(saved, w);
        HS_Speichern(saved, s);
        HW_Speichern(saved, f);
        HK_Speichern(saved, k);
        TestData::expectPinned(u"target/expected/profile_"_s + name, QString::fromLatin1(read(name)).remove(u'\r'));
        // A missing file changes nothing and says nothing.
        HS_Laden(file(u"fehlt.ini"_s), s);
        EXPECT_EQ(s.Probe, TaggedValue(-1));
    }

    ScheibenDaten s;
    s.ZoomLevels = TaggedValue(3);
    s.OffsetX = TaggedValue(17);
    WaffenDaten w;
    LadeScheibenDaten(testData(u"definitions/sd_folge.def"_s), s);
    LadeWaffenDatei(testData(u"definitions/wd_lg.def"_s), w);
    HD_Speichern(file(u"s.ini"_s), LadeWettbewerbsDatei(testData(u"definitions/hd_1-10.def"_s)));
    HS_Speichern(file(u"s.ini"_s), s);
    HW_Speichern(file(u"s.ini"_s), w);
    TestData::expectPinned(u"target/expected/sequential.ini"_s, QString::fromLatin1(read(u"s.ini"_s)).remove(u'\r'));
    EXPECT_EQ(describe({s.AussenRadius, w.Kaliber}), u"double 2275|double 177"_s);

    // Short or missing files throw after the fields already read; a missing competition file shows the box.
    EXPECT_THROW(LadeWettbewerbsDatei(testData(u"definitions/hd_kurz.def"_s)), SequentialReadError);
    EXPECT_THROW(LadeScheibenDaten(testData(u"definitions/sd_kurz.def"_s), s), SequentialReadError);
    EXPECT_THROW(LadeScheibenDaten(file(u"fehlt.def"_s), s), SequentialReadError);
    EXPECT_THROW(LadeWaffenDatei(testData(u"definitions/wd_kurz.def"_s), w), SequentialReadError);
    EXPECT_THROW(LadeWaffenDatei(file(u"fehlt.def"_s), w), SequentialReadError);
    EXPECT_EQ(describe({s.Bezeichnung, s.AussenRadius, s.SpiegelRadius, w.Bezeichnung, w.AnzeigeRadius, w.Kaliber}),
        u"text Kurz|double 300|double 1525|text LP|double 225|double 177"_s);
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_TRUE(LadeWettbewerbsDatei(file(u"hd_9-99.def"_s)).Bezeichnung.isEmpty());
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    const Dialogs::MessageRequest& box = TestDialogs::messages().first();
    EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(
        box.title + u'|' + box.text, u"Wettbewerbsdaten laden|Datei existiert nicht: "_s + file(u"hd_9-99.def"_s));
    // The competition file of a discipline number, compared exactly.
    for (const auto& [where, text, row] : rows(u"disciplines.txt"_s))
        EXPECT_EQ(wettbewerbsDateiFuer(row[0]), row[1]) << where;
}

// Results files as the scoring system writes them: each reads, and writing
// what was read gives the file again byte for byte.
TEST_F(ViewTest, GoodFilesReadAndWriteBackUnchanged)
{
    for (const auto& [where, text, row] : rows(u"results_good.txt"_s)) {
        TargetRecords r;
        ASSERT_TRUE(ResultsFile::LadeErgebnisse(testData(u"results/"_s + row[0]), r)) << where;
        const SchussSatz& a = r.AktuellerSatz;
        EXPECT_EQ(
            QStringList({r.SchuetzenName.toString(), QString::number(r.ProbeSatz.PosX[0]),
                r.Scheibe.Ringbreite.toString(), r.Waffe.AnzeigeRadius.toString(), QString::number(a.LetzterIndex),
                QString::number(a.Gesamt), QString::number(a.PosX[std::size_t(a.LetzterIndex)])}),
            row.mid(1));
        ASSERT_TRUE(ResultsFileWriter::write(file(u"again.txt"_s), r));
        EXPECT_EQ(read(u"again.txt"_s), TestData::read(u"target/data/results/"_s + row[0])) << where;
    }
    // No temporary file is left behind, and a missing folder fails.
    EXPECT_EQ(entries(), QStringList(u"again.txt"_s));
    EXPECT_FALSE(ResultsFileWriter::write(file(u"fehlt/e.txt"_s), TargetRecords()));

    // Unquoted items become numbers, flags, texts or nothing; a text where a number belongs gives its leading number.
    QByteArray bytes = TestData::read(u"target/data/results/nur_probe.txt"_s);
    bytes.replace("\"A1\",1.7,1.8,", "#NULL#,#TRUE#,\"drei\",").replace("0,\"k1\",3,", "1E2,k1,#FALSE#,");
    write(u"e.txt"_s, bytes);
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(file(u"e.txt"_s), r));
    EXPECT_EQ(describe({r.ProbeSatz.KopfA, r.ProbeSatz.KopfB, r.Kopfwerte[0], r.Kopfwerte[1], r.Kopfwerte[2]}),
        u"empty|double -1|double 100|text k1|double 0"_s);
    EXPECT_EQ(r.ProbeSatz.KopfC, 0);
}

TEST_F(ViewTest, BadCountsTruncatedOrMissingFilesKeepWhatWasReadAndAreReleased)
{
    for (const QFileInfo& bad : QDir(testData(u"results/bad"_s)).entryInfoList(QDir::Files)) {
        SCOPED_TRACE(bad.fileName().toStdString());
        TargetRecords r;
        EXPECT_FALSE(ResultsFile::LadeErgebnisse(bad.filePath(), r));
        EXPECT_EQ(r.AktuellerSatz.LetzterIndex, -1);
        for (const SchussSatz* satz : {&r.ProbeSatz, &r.MatchSatz}) {
            EXPECT_TRUE(satz->LetzterIndex >= -1 && satz->LetzterIndex <= 150);
            EXPECT_TRUE(satz->SerienLetzter >= -1 && satz->SerienLetzter <= 150);
        }
    }
    TargetRecords r;
    r.SchuetzenName = TaggedValue(u"alt"_s);
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(file(u"fehlt.txt"_s), r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(u"alt"_s));

    const QByteArray bytes = TestData::read(u"target/data/results/nur_probe.txt"_s);
    write(u"e.txt"_s, bytes.left(bytes.indexOf("800.5,") + 5)); // in the target row, after Ringbreite
    r.Scheibe.RingMin = TaggedValue(u"alt"_s);
    r.AktuellerSatz.Gesamt = 77;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(file(u"e.txt"_s), r));
    // Ringbreite is not halved: the read broke off before; and no set is chosen.
    EXPECT_EQ(describe({r.SchuetzenName, r.Scheibe.Ringbreite, r.Scheibe.RingMin}),
        u"text Müller, Jörg|double 800.5|text alt"_s);
    EXPECT_EQ(std::pair(r.ProbeSatz.Gesamt, r.AktuellerSatz.Gesamt), std::pair(1.3f, 77.0f));
    EXPECT_TRUE(SequentialWriter(file(u"e.txt"_s)).open());
}

// What ZeichneScheibe draws on a window 15 % higher than wide, as text: the
// scale, then one primitive a line with the state it is drawn in (fill where
// a shape is filled, pen width where a line is stroked, font where text is
// written).
QString drawing(TargetModel& m, double pixelWidth = 400)
{
    RecordingCanvas canvas(pixelWidth, pixelWidth * 1.15);
    TargetPainter::ZeichneScheibe(canvas, m, ProgramState::instance().settings, viewPalette());
    static const char* const styles[] = {"solid", "transparent", "2", "3", "4", "5", "6", "7"};
    const auto n = [](double v) { return QString::number(v, 'g', 9); };
    QString text = u"units %1 on %2 x %3 pixels\n"_s.arg(
        n(canvas.unitsAcross()), n(canvas.pixelWidth()), n(canvas.pixelHeight()));
    for (const RecordingCanvas::Op& op : canvas.ops()) {
        text += op.kind;
        for (const double a : op.args)
            text += u' ' + n(a);
        if (op.kind == u"text")
            text += u" \"%1\" size %2%3"_s.arg(op.text, n(op.fontSize), op.bold ? u" bold"_s : QString());
        text += u" pen "_s + op.pen.name();
        if (op.kind == u"circle" || op.kind == u"shotCircle")
            text += u" fill %1 %2"_s.arg(op.fill.name(), QLatin1String(styles[int(op.fillStyle)]));
        if (op.kind != u"text" && op.kind != u"filledBox")
            text += u" width %1"_s.arg(op.penWidth);
        text += u'\n';
    }
    return text;
}

// The shipped faces as a window 15 % higher than wide paints them: zoom,
// face, marks, mean point and frame. Each file expected/drawing_*.txt names
// its case in its first line: discipline, sighting (1) or match, shots, the
// series shown, pixels across and the marking options, then what it shows.
TEST_F(ViewTest, RepresentativeFacesDrawAsPinned)
{
    const QStringList files = QDir(TestData::path(u"target/expected"_s)).entryList({u"drawing_*.txt"_s});
    ASSERT_EQ(files.size(), 8);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QString name = u"target/expected/"_s + file;
        const QString head = QString::fromUtf8(TestData::read(name)).section(u'\n', 0, 0);
        const QStringList c = head.section(u':', 0, 0).split(u' ');
        Einstellungen& s = mark(c[5]);
        s.FarbeProbeEcke = 255;
        ProgramInfo::setDirectoryForTest(TestData::path(u"../data"_s));
        TargetModel m;
        m.DisziplinNr = c[0];
        m.Laden(s);
        m.SetProbe(c[1] == u"1");
        // Shots on a grid of half ring widths around the centre, MarkSchuss 1.
        SchussSatz& satz = m.records.AktuellerSatz;
        const float step = float(m.records.Scheibe.Ringbreite.toDouble()) / 2;
        const int shots = c[2].toInt();
        viewTestShots(m, shots);
        for (std::size_t i = 0; i < std::size_t(shots); ++i) {
            satz.PosX[i] = step * float(int(i * 3 % 5) - 2);
            satz.PosY[i] = step * float(int(i * 2 % 5) - 2);
            satz.Ringwert[i] = 10.9f - 0.3f * float(i % 5);
        }
        satz.MarkSchuss = 1;
        satz.SerienLetzter = float((shots - 1) / int(m.records.Wettbewerb.Serienlaenge.toDouble()));
        satz.AnzeigeSerie = c[3].toFloat();
        m.zoomForPaint(s);
        TestData::expectPinned(name, head + u'\n' + drawing(m, c[4].toDouble()));
    }
}

TEST_F(ViewTest, WithoutAVisibleWidthOnlyTheFrameColour)
{
    for (const double width : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        model.SichtBreite = width;
        EXPECT_EQ(drawing(model), u"units 1 on 400 x 460 pixels\nfilledBox 0 0 1 1.15 pen #d4d0c8\n"_s);
    }
}

TEST_F(ViewTest, SightingCornerEndsOnItsLastWholeStroke)
{
    model.SichtBreite = 1112; // margin 55, card 1000: legs of 200, strokes 0, 25, ..., 200
    TargetZoom::Scheibe_ZoomBerechnen(model);
    model.records.Scheibe.Probe = TaggedValue(-1);
    const QString drawn = drawing(model);
    EXPECT_EQ(drawn.count(u"width 25"_s), 10);
    EXPECT_TRUE(drawn.contains(u"line 1055 55 1055 255 pen #000000 width 25\nline 805 5 1105 305 pen #000000 "
                               "width 25\ncircle 556 556 180 pen #ffffe1"_s));
}

// Hostile faces and sets as results files bring them, drawn with every
// marking: neither a stall nor a crash.
TEST_F(ViewTest, HostileResultsFilesNeitherStallNorCrash)
{
    mark(u"XNMS"_s);
    const QDir hostile(testData(u"results/hostile"_s));
    for (const QString& file : hostile.entryList(QDir::Files)) {
        TargetModel m;
        ASSERT_TRUE(m.LadeErgebnisse(hostile.filePath(file))) << file.toStdString();
        m.VolleBreite = m.records.Scheibe.KartonBreite.toDouble();
        m.zoomForPaint(s());
        EXPECT_LE(drawing(m).count(u'\n'), 30001) << file.toStdString(); // a line a primitive after the scale
    }
}

// A single shows as its shortest text, even where that needs more than the
// seven digits a single is printed with otherwise.
TEST(SingleText, IsTheShortestTextThatReadsBackAsTheSingle)
{
    EXPECT_EQ(TargetLabels::singleText(9.7f), u"9.7"_s);
    EXPECT_EQ(TargetLabels::singleText(1.00000012f), u"1.0000001"_s);
}

TEST(MeanPoint, RoundingRules)
{
    for (const auto& [where, text, row] : rows(u"mean_point.txt"_s)) {
        SchussSatz satz;
        WettbewerbsDaten wettbewerb;
        wettbewerb.Wertung = TaggedValue(row[0].toDouble());
        satz.SchussNummer = row[1].toFloat();
        satz.LetzterIndex = satz.SchussNummer ? 1 : -1;
        satz.Ringwert = {row[2].toFloat(), row[3].toFloat()};
        satz.PosX = {row[4].toFloat(), row[5].toFloat()};
        satz.PosY = satz.PosX;
        satz.MittelRing = 7;
        TargetPainter::TrefferDurchschnitt_Errechnen(satz, wettbewerb);
        const auto n = std::size_t(satz.SchussNummer);
        EXPECT_EQ(QList<float>({satz.MittelRing, satz.MittelX, satz.MittelY, satz.Ringwert[n], satz.PosX[n]}),
            QList<float>({row[6].toFloat(), row[7].toFloat(), row[7].toFloat(), row[6].toFloat(), row[7].toFloat()}))
            << where;
    }
}

TEST_F(ViewTest, StepAndVisibleWidth)
{
    const std::map<QString, TaggedValue ScheibenDaten::*> fields {{u"RingAnzahl"_s, &ScheibenDaten::RingAnzahl},
        {u"RingMin"_s, &ScheibenDaten::RingMin}, {u"Ringbreite"_s, &ScheibenDaten::Ringbreite},
        {u"AussenRadius"_s, &ScheibenDaten::AussenRadius}};
    for (const auto& [where, text, row] : rows(u"zoom.txt"_s)) {
        model = viewTestTarget();
        const int latest = row[3] == u"-" ? -1 : row[3].section(u'@', 1).toInt();
        viewTestShots(model, std::min(latest + 1, 151));
        model.records.AktuellerSatz.LetzterIndex = float(latest);
        model.records.AktuellerSatz.Ringwert[std::size_t(std::clamp(latest, 0, 150))]
            = row[3].section(u'@', 0, 0).toFloat();
        if (row[4] != u"-")
            model.records.Scheibe.*fields.at(row[4].section(u'=', 0, 0))
                = TaggedValue(row[4].section(u'=', 1).toDouble());
        s().AutoZoom = std::uint8_t(row[0].toInt());
        model.Scheibe_ZoomNummer = row[2].toDouble();
        TargetZoom::Zoom(model, row[1] == u"1", s());
        TargetZoom::Scheibe_ZoomBerechnen(model);
        EXPECT_EQ(QList<double>({model.Scheibe_ZoomNummer, model.SichtBreite, model.Rand, model.KartonGroesse,
                      model.MitteX, model.MitteY}),
            TestData::numbers(row.mid(5).join(u' ')))
            << where;
    }
    // Every paint zooms from step 0.
    model.Scheibe_ZoomNummer = 8;
    model.zoomForPaint(s());
    EXPECT_EQ(QList<double>({model.Scheibe_ZoomNummer, model.SichtBreite, model.MitteX}), QList<double>({1, 880, 440}));
}

TEST_F(ViewTest, TextBelegenByDisplayModeTenthsPlaceAndSeries)
{
    SchussSatz& satz = model.records.AktuellerSatz;
    const LabelCaptions& c = model.captions;
    model.records.SchuetzenName = TaggedValue(u"Alt"_s);
    for (const auto& [where, text, row] : rows(u"labels.txt"_s)) {
        model.records.Scheibe.Probe = TaggedValue(row[0].toInt());
        s().AusfAnzeige = std::uint8_t(row[1].toInt());
        s().ZehntelAnzeige = std::uint8_t(row[2].toInt());
        model.Platz = std::int16_t(row[3].toInt());
        const int shots = row[4].toInt();
        viewTestShots(model, std::min(shots, 150));
        satz.LetzterIndex = float(shots - 1);
        satz.SchussNummer = float(shots);
        satz.Ringwert[4] = 9.7f;
        satz.Gesamt = 19.7f;
        satz.SerienLetzter = row[5].toFloat();
        for (std::size_t k = 0; k < 8; ++k)
            satz.SerienWert[k] = 90.5f + float(k);
        model.gTitelName = row[6] == u"-" ? QString() : row[6];
        if (shots > 150)
            model.captions.lblRingwert = model.captions.lblSerie[3] = u"old"_s;
        TargetLabels::TextBelegen(model, s());
        const QStringList shown = QStringList({c.lblName, c.lblTitelName, c.lblRingwert, c.lblGesamt, c.lblSchussNr,
                                      c.lblPlatz, model.gTitelName})
            + QStringList(c.lblSerie.begin(), c.lblSerie.end());
        EXPECT_EQ(shown.join(u'|'), row.mid(7).join(u'|')) << where;
    }
    // Numbers in the shortest form, with the decimal separator of the system.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TargetLabels::singleText(9.7f) + TargetLabels::singleText(-0.5f), u"9,7-0,5"_s);
}

TEST_F(ViewTest, PaintTimeLabelsBySeriesAndQuickDisplay)
{
    for (const auto& [where, text, row] : rows(u"paint_labels.txt"_s)) {
        s().SerienErgebnisse = std::uint8_t(row[0].toInt());
        model.records.Wettbewerb.SchussZahl = TaggedValue(row[1].toDouble());
        model.records.Wettbewerb.Serienlaenge = TaggedValue(row[2].toDouble());
        s().Schnellanzeige = std::uint8_t(row[3].toInt());
        viewTestShots(model, std::min(row[4].toInt(), 150));
        model.records.AktuellerSatz.LetzterIndex = row[4].toFloat() - 1;
        model.records.AktuellerSatz.Gesamt = 48.5f;
        const auto paint = TargetLabels::paintTimeLabels(model, s());
        QString shown;
        for (const bool visible : paint.serieVisible)
            shown += visible ? u'1' : u'0';
        EXPECT_EQ(QStringList({shown, QString::number(paint.ergebnisVisible), QString::number(paint.titelNameVisible),
                      paint.ergebnisText.value_or(u"-"_s)}),
            row.mid(5))
            << where;
    }
}

class ModelTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        model = TargetModel();
        viewTestShots(model, 3);
        model.records.SchuetzenName = TaggedValue(u"Alt"_s);
    }
    // Discipline, shooter, competition, ring width, mark radius, latest index, sighting.
    QString loaded() const
    {
        return u"%1|%2|%3|%4|%5|%6|%7"_s.arg(model.DisziplinNr, model.records.SchuetzenName.toString(),
            model.records.Wettbewerb.Bezeichnung.toString(), model.records.Scheibe.Ringbreite.toString(),
            model.records.Waffe.AnzeigeRadius.toString(), QString::number(model.records.AktuellerSatz.LetzterIndex),
            model.probe() ? u"probe"_s : u"match"_s);
    }
};

TEST_F(ModelTest, InitParsesTheAnnouncementLoadsTheDisciplineAndStartsAShooter)
{
    for (const auto& [where, text, row] : rows(u"init.txt"_s)) {
        const QString ran = model.Init(row[0]) ? u"true"_s : QString();
        EXPECT_EQ(ran + u'|' + loaded(), row.mid(1).join(u'|')) << where;
    }
    EXPECT_EQ(std::pair(model.records.AktuellerSatz.SchussNummer, model.VolleBreite), std::pair(0.0f, 1700.0));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(ModelTest, Init2002ResetsEverySetAndSetProbeCopiesTheChosenOne)
{
    model.records.ProbeSatz.LetzterIndex = 4;
    model.records.MatchSatz.Gesamt = 300;
    model.Init2002();
    for (const SchussSatz* satz : {&model.records.ProbeSatz, &model.records.MatchSatz, &model.records.AktuellerSatz})
        EXPECT_EQ(QList<float>({satz->LetzterIndex, satz->SchussNummer, satz->Gesamt}), QList<float>({-1, 0, 0}));
    EXPECT_EQ(loaded(), u"|||||-1|probe"_s);

    model.records.ProbeSatz.SchussNummer = 3;
    model.records.MatchSatz.SchussNummer = 7;
    for (const auto& [probe, shown] : {std::pair(true, 3.0f), std::pair(false, 7.0f), std::pair(true, 3.0f)}) {
        model.SetProbe(probe);
        EXPECT_EQ(std::pair(model.probe(), model.records.AktuellerSatz.SchussNummer), std::pair(probe, shown));
        model.records.AktuellerSatz.SchussNummer = 1; // a copy, not a view
    }
}

// The target file resets the zoom state and the offsets and ends sighting.
TEST_F(ModelTest, LoadEventZoomsByTheAutoZoomRuleAndSurvivesMissingFiles)
{
    model.DisziplinNr = u"1.10"_s;
    model.gTitelName = u"wartet"_s;
    model.Scheibe_ZoomNummer = 8;
    model.RandProzent = 7;
    model.KartonProzent = 50;
    model.records.Scheibe.OffsetX = model.records.Scheibe.OffsetY = model.records.Scheibe.Probe = TaggedValue(-1);
    model.records.AktuellerSatz.Ringwert[2] = 9.8f;
    model.Laden(s());
    const ScheibenDaten& face = model.records.Scheibe;
    EXPECT_EQ(QList<double>({model.Scheibe_ZoomNummer, model.SichtBreite, model.Rand, model.KartonGroesse, model.MitteX,
                  double(model.gTitelName.size()), model.VolleBreite, face.OffsetX.toDouble() + face.OffsetY.toDouble(),
                  face.Probe.toDouble()}),
        QList<double>({1, 880, 44, 792, 440, 0, 1000, 0, 0}));
    s().AutoZoom = 1;
    model.Scheibe_ZoomNummer = 3;
    model.Laden(s());
    EXPECT_EQ(std::pair(model.Scheibe_ZoomNummer, model.MitteX), std::pair(8.0, 132.0));

    // A missing target or a short competition file leave what was read before.
    for (const char* nummer : {"1.40", "2.20"}) {
        model.DisziplinNr = QLatin1String(nummer);
        model.Laden(s());
        EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), u"Fehlt"_s);
    }
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    // Without its competition file no target or weapon is read.
    model.records.Scheibe.Bezeichnung = TaggedValue(u"vorher"_s);
    model.DisziplinNr = u"2.50P"_s;
    model.Laden(s());
    EXPECT_EQ(
        describe({model.records.Wettbewerb.Bezeichnung, model.records.Scheibe.Bezeichnung}), u"empty|text vorher"_s);
}

} // namespace
