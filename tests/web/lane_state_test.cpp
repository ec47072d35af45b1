#include "platform/PainterCanvas.h"
#include "platform/ProfileDocument.h"
#include "platform/RecordingCanvas.h"
#include "platform/Twips.h"
#include "shell/SettingsFile.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "target/Scheibe.h"
#include "target/TargetPainter.h"
#include "target/target_test_support.h"
#include "web/LaneSnapshot.h"
#include "web/LaneView.h"
#include "web/RankingTable.h"
#include "web/WebSettings.h"
#include "web/WebView.h"

#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

using namespace Qt::StringLiterals;

// What the web view serves of a lane, held against the window of that lane:
// the same label texts, and an SVG that is the window's drawing call for call.

namespace {

// Records what the painter asks of a canvas, measuring text with the window's
// own canvas so that every choice made from a measurement is the window's.
class MeasuredRecording : public RecordingCanvas {
public:
    MeasuredRecording(double w, double h)
        : RecordingCanvas(w, h), m_image(int(w), int(h), QImage::Format_RGB32), m_painter(&m_image),
          m_window(m_painter, w, h)
    {
    }
    void setScale(double units) override
    {
        RecordingCanvas::setScale(units);
        m_window.setScale(units);
    }
    void setFontSize(double points) override
    {
        m_window.setFontSize(points);
        RecordingCanvas::setFontSize(m_window.fontSize());
    }
    void setFontBold(bool bold) override
    {
        RecordingCanvas::setFontBold(bold);
        m_window.setFontBold(bold);
    }
    double textWidth(const QString& text) const override { return m_window.textWidth(text); }
    double textHeight(const QString& text) const override { return m_window.textHeight(text); }

private:
    QImage m_image;
    QPainter m_painter;
    PainterCanvas m_window;
};

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    double at(const char* key) const { return attributes.value(QLatin1String(key)).toDouble(); }
    QString str(const char* key) const { return attributes.value(QLatin1String(key)).toString(); }
};

// The drawn elements of the document, in order (patterns left out).
std::vector<Element> drawnElements(const QString& svg)
{
    std::vector<Element> elements;
    QXmlStreamReader xml(svg);
    int inDefs = 0;
    // Attributes of the groups around the element, which it inherits.
    QList<QXmlStreamAttributes> groups;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (name == u"defs"_s)
            inDefs += xml.isStartElement() ? 1 : xml.isEndElement() ? -1 : 0;
        else if (inDefs || name == u"svg"_s)
            continue;
        else if (name == u"g"_s && xml.isStartElement())
            groups.append(xml.attributes());
        else if (name == u"g"_s && xml.isEndElement())
            groups.removeLast();
        else if (xml.isStartElement()) {
            Element e {name.toString(), xml.attributes(), {}};
            for (const QXmlStreamAttributes& group : groups)
                e.attributes += group;
            if (e.name == u"text"_s)
                e.text = xml.readElementText();
            elements.push_back(e);
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return elements;
}

QString hex(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

// Every call of the painter, in order, as the element that draws it.
void expectSameDrawing(const QList<RecordingCanvas::Op>& ops, const std::vector<Element>& svg)
{
    std::size_t k = 0;
    const auto next = [&](const QString& name) -> const Element* {
        if (k >= svg.size() || svg[k].name != name) {
            ADD_FAILURE() << "element " << k << " is not a " << qPrintable(name);
            return nullptr;
        }
        return &svg[k++];
    };
    for (const RecordingCanvas::Op& op : ops) {
        const auto& a = op.args;
        if (op.kind == u"filledBox"_s || op.kind == u"boxOutline"_s) {
            const Element* e = next(u"rect"_s);
            ASSERT_TRUE(e);
            EXPECT_NEAR(e->at("x"), std::min(a[0], a[2]), 0.05);
            EXPECT_NEAR(e->at("height"), std::fabs(a[3] - a[1]), 0.05);
            EXPECT_EQ(e->str("fill"), op.kind == u"filledBox"_s ? hex(op.pen) : u"none"_s);
        } else if (op.kind == u"line"_s) {
            const Element* e = next(u"line"_s);
            ASSERT_TRUE(e);
            EXPECT_NEAR(e->at("x1"), a[0], 0.05);
            EXPECT_NEAR(e->at("y2"), a[3], 0.05);
            EXPECT_EQ(e->str("stroke"), hex(op.pen));
        } else if (op.kind == u"circle"_s || op.kind == u"shotCircle"_s) {
            const Element* e = next(u"circle"_s);
            ASSERT_TRUE(e);
            EXPECT_NEAR(e->at("cx"), a[0], 0.05);
            EXPECT_NEAR(e->at("cy"), a[1], 0.05);
            const bool oneDisc = op.fillStyle == FillStyle::Solid && op.fill == op.pen;
            if (!oneDisc) {
                EXPECT_NEAR(e->at("r"), a[2], 0.05);
            }
            const QString fill = op.fillStyle == FillStyle::Solid ? hex(op.fill)
                : op.fillStyle == FillStyle::Transparent          ? u"none"_s
                                                                  : e->str("fill");
            EXPECT_EQ(e->str("fill"), fill);
            if (op.fillStyle != FillStyle::Solid && op.fillStyle != FillStyle::Transparent) {
                EXPECT_TRUE(e->str("fill").startsWith(u"url(#h"_s));
            }
            if (op.kind == u"shotCircle"_s) {
                ASSERT_TRUE(next(u"line"_s));
            }
        } else if (op.kind == u"text"_s) {
            const Element* e = next(u"text"_s);
            ASSERT_TRUE(e);
            EXPECT_EQ(e->text, op.text);
            EXPECT_NEAR(e->at("x"), a[0], 0.05);
            EXPECT_EQ(e->str("font-weight") == u"bold"_s, op.bold);
        }
    }
    EXPECT_EQ(k, svg.size()) << "elements beyond the painter's calls";
}

QLabel* label(const QWidget& w, const QString& name)
{
    return w.findChild<QLabel*>(name);
}

struct LaneCase {
    const char* what;
    std::function<void(Einstellungen&)> settings;
    std::function<void(Scheibe&)> lane;
};

class LaneStateTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Twips::overrideDpiForTest(96, 96);
        QLocale::setDefault(QLocale::c());
        s().Scheibenanzahl = 8;
        s().Trefferkreuze = 1;
        s().ZehntelAnzeige = 1;
        s().AusfAnzeige = 1;
        s().SerienErgebnisse = 1;
        s().TrefferVergroessern = 1;
        s().AutoZoom = 0;
    }
    void TearDown() override
    {
        Twips::overrideDpiForTest(0, 0);
        ProgramFolderTest::TearDown();
    }
};

} // namespace

TEST_F(LaneStateTest, ServedStateIsWhatTheWindowShows)
{
    const LaneCase cases[] = {
        {"new shooter in sighting mode, no shots", nullptr,
            [](Scheibe& w) {
                w.model().records.Scheibe.Probe = TaggedValue(-1);
                w.setGTitelName(u"Erika Muster"_s);
            }},
        {"match, latest shot enlarged, place", nullptr,
            [](Scheibe& w) {
                viewTestShots(w.model(), 5);
                w.setPlatz(3);
                w.setGTitelName(u"Max <Muster> & Sohn"_s);
            }},
        {"crosses numbered, mean point, series",
            [](Einstellungen& s) {
                s.Nummeriert = 1;
                s.MittlereLage = 1;
            },
            [](Scheibe& w) {
                viewTestShots(w.model(), 23);
                SchussSatz& satz = w.model().records.AktuellerSatz;
                satz.Gesamt = 221.5f;
                satz.SerienLetzter = 1;
                satz.SerienWert[0] = 98.5f;
                satz.SerienWert[1] = 97.25f;
            }},
        {"circles with a picked-out shot, no tenths, short texts",
            [](Einstellungen& s) {
                s.Trefferkreise = 1;
                s.ZehntelAnzeige = 0;
                s.AusfAnzeige = 0;
                s.TrefferVergroessern = 0;
            },
            [](Scheibe& w) {
                viewTestShots(w.model(), 8);
                w.model().records.AktuellerSatz.MarkSchuss = 2;
                w.setPlatz(12);
            }},
        {"zoomed onto the latest shot, hatched ten", [](Einstellungen& s) { s.AutoZoom = 1; },
            [](Scheibe& w) {
                w.model().records.Scheibe.ZehnerRingStyle = TaggedValue(6.0);
                w.model().records.Scheibe.InnenZehnerRadius = TaggedValue(8.0);
                w.model().records.Scheibe.InnenZehnerRingStyle = TaggedValue(4.0);
                viewTestShots(w.model(), 3);
                w.model().records.AktuellerSatz.Ringwert[2] = 9.8f;
            }},
    };
    for (const LaneCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.settings)
            c.settings(s());
        Scheibe w;
        w.model() = viewTestTarget();
        w.resize(260, 560);
        c.lane(w);
        w.TextBelegen();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.repaint();

        const LaneSnapshot snapshot = WebView::snapshotOf(4, w);
        const QJsonObject state = LaneView::render(snapshot);
        EXPECT_EQ(state[u"nr"_s].toInt(), 4);
        for (const auto& [field, name] : {std::pair {"name", "lblName"}, {"gesamt", "lblGesamt"},
                 {"ringwert", "lblRingwert"}, {"schuss", "lblSchussNr"}, {"platz", "lblPlatz"}})
            EXPECT_EQ(state[QLatin1String(field)].toString(), label(w, QLatin1String(name))->text()) << field;
        QStringList serien;
        for (int k = 0; k < 6; ++k) {
            if (QLabel* serie = label(w, u"lblSerie%1"_s.arg(k)); serie->isVisibleTo(&w))
                serien.append(serie->text());
        }
        QStringList served;
        for (const QJsonValue& v : state[u"serien"_s].toArray())
            served.append(v.toString());
        EXPECT_EQ(served, serien);
        EXPECT_EQ(state[u"probe"_s].toBool(), w.model().probe());

        // The drawing: the window's paint, call for call, in the square of
        // the visible width.
        TargetModel painted = w.model();
        MeasuredRecording recording(w.width(), w.height());
        TargetPainter::ZeichneScheibe(recording, painted, s(), QGuiApplication::palette());
        const QString svg = state[u"svg"_s].toString();
        EXPECT_TRUE(svg.contains(u"viewBox=\"0 0 %1 %1\""_s.arg(painted.SichtBreite))) << qPrintable(svg.left(200));
        expectSameDrawing(recording.ops(), drawnElements(svg));
        ProgramState::reset();
        SetUp();
    }
}

TEST_F(LaneStateTest, ServingNeverChangesTheWindowsState)
{
    Scheibe w;
    w.model() = viewTestTarget();
    viewTestShots(w.model(), 4);
    w.setGTitelName(u"Neu"_s);
    s().MittlereLage = 1;
    const LaneSnapshot snapshot = WebView::snapshotOf(1, w);
    EXPECT_EQ(LaneView::render(snapshot)[u"name"_s].toString(), u"Neu"_s);
    // The pending name stays for the window's own paint; the mean point is not
    // written into its shots.
    EXPECT_EQ(w.model().gTitelName, u"Neu"_s);
    EXPECT_EQ(w.model().records.AktuellerSatz.PosX[4], 0.0f);
}

TEST_F(LaneStateTest, LanesOfTheRange)
{
    struct Row {
        int anzahl, anfEnde, anf, end;
        QList<int> lanes;
    };
    for (const Row& row : {Row {4, 0, 2, 3, {1, 2, 3, 4}}, Row {10, 1, 3, 5, {3, 4, 5}}, Row {10, 1, 7, 5, {}}}) {
        Einstellungen e;
        e.Scheibenanzahl = std::uint8_t(row.anzahl);
        e.AnfEnde = std::uint8_t(row.anfEnde);
        e.AnfScheibe = std::int16_t(row.anf);
        e.EndScheibe = std::int16_t(row.end);
        EXPECT_EQ(WebView::laneRange(e), row.lanes);
    }
}

TEST_F(LaneStateTest, RankingRowsFollowTheRankingWindow)
{
    const QString title = u"Luftgewehr"_s;
    const QStringList lines {u"1;x;Muster;Max;SV Dorf;391.2;3;40;98;97;99;97;;;;;;;;"_s,
        u"2;x;Beta;Eva;;600;5;61;100;100;100;100;100;90;10;;;;;"_s};
    const QJsonObject ranking = QJsonDocument::fromJson(RankingTable::message(lines, title)).object();
    EXPECT_EQ(ranking[u"title"_s].toString(), title);
    const QJsonArray rows = ranking[u"rows"_s].toArray();
    ASSERT_EQ(rows.size(), 3);
    const auto cells = [&rows](int r) {
        QStringList texts;
        for (const QJsonValue& v : rows[r].toObject()[u"c"_s].toArray())
            texts.append(v.toString());
        return texts.join(u'|');
    };
    EXPECT_EQ(cells(0), u"1.|Muster, Max|SV Dorf|3|98|97|99|97|||391.2|40"_s);
    EXPECT_EQ(cells(1), u"2.|Beta, Eva||5|100|100|100|100|100|90||"_s);
    EXPECT_EQ(cells(2), u"||||10||||||600|61"_s);
    EXPECT_EQ(QList<bool>({rows[0].toObject()[u"end"_s].toBool(), rows[1].toObject()[u"end"_s].toBool(),
                  rows[2].toObject()[u"end"_s].toBool()}),
        QList<bool>({true, false, true}));
}

TEST_F(LaneStateTest, WebSectionOfTheSettingsFile)
{
    struct Row {
        const char* section;
        int port;
        QString adresse;
        int limit;
    };
    const Row rows[] = {
        {"", 0, u"127.0.0.1"_s, 200},
        {"[Web]\r\nPort=8080\r\n", 8080, u"127.0.0.1"_s, 200},
        {"[web]\r\nport=80\r\nAdresse=0.0.0.0\r\nMaxVerbindungen=5\r\n", 80, u"0.0.0.0"_s, 5},
        {"[Web]\r\nPort=70000\r\nAdresse=\r\nMaxVerbindungen=0\r\n", 0, u"127.0.0.1"_s, 200},
        {"[Web]\r\nPort=-1\r\n", 0, u"127.0.0.1"_s, 200},
    };
    for (const Row& row : rows) {
        write(u"omr_anzeige.ini"_s, QByteArray("[Options]\r\nScheibenanzahl=4\r\n") + row.section);
        const WebSettings web = WebSettings::read(SettingsFile::path());
        EXPECT_EQ(web.port, row.port) << row.section;
        EXPECT_EQ(web.enabled(), row.port != 0) << row.section;
        EXPECT_EQ(web.adresse, row.adresse) << row.section;
        EXPECT_EQ(web.maxVerbindungen, row.limit) << row.section;
    }
}

TEST_F(LaneStateTest, SettingsWriterLeavesTheWebSectionAsItFindsIt)
{
    const QByteArray web = "[Web]\r\n; live view for the clubhouse\r\nPort=8080\r\nAdresse=0.0.0.0\r\n";
    write(u"omr_anzeige.ini"_s, "[Options]\r\nScheibenanzahl=2\r\n" + web + "[Scheibe]\r\nScheibe1=1.10\r\n");
    SettingsFile::EinstellungenLaden();
    SettingsFile::EinstellungenSpeichern(FakeTargets(2));
    EXPECT_TRUE(read(u"omr_anzeige.ini"_s).contains(web));
    EXPECT_EQ(WebSettings::read(SettingsFile::path()).port, 8080);
}
