#include "ranking/frmRangliste.h"

#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace Qt::StringLiterals;

namespace {

// At 96 dpi a pixel is 15 twips: 648 x 756 pixels is the design's outer size
// with one and a half times its height, where the layout keeps its design sizes.
const QSize UnitFrame(648, 756);

QString shooter(int rank, int shots)
{
    return u"%1;x;Name%1;Vorname;SV;38%2;%1;%3;91;92;93;94;95;96;97;98;99;90;91;92"_s.arg(rank).arg(rank % 10).arg(
        shots);
}

class RankingWindow : public testing::Test {
protected:
    void SetUp() override
    {
        Twips::overrideDpiForTest(96, 96);
        ProgramState::reset();
        ASSERT_TRUE(m_dir.isValid());
        Einstellungen& settings = ProgramState::instance().settings;
        settings.KORVUPfad = m_dir.path();
        settings.VTXServerID = 3;
        settings.RLTitel = u"Kreismeisterschaft Luftgewehr"_s;
    }
    void TearDown() override
    {
        ProgramState::reset();
        Twips::overrideDpiForTest(0, 0);
    }

    void writeRanking(const QByteArray& bytes, const QString& name = u"HRang3.csv"_s)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeShooters(int count, int shots, int firstShots)
    {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += shooter(i, i == 1 ? firstShots : shots).toLatin1() + "\r\n";
        writeRanking(bytes);
    }
    // The texts of the named labels joined by "|".
    static QString texts(const frmRangliste& w, const char* names)
    {
        QStringList result;
        for (const QString& name : QString::fromLatin1(names).split(u' ')) {
            const auto* child = w.findChild<QWidget*>(name);
            const auto* label = qobject_cast<const QLabel*>(child);
            result.append(label ? label->text() : QLatin1String(child ? "<no label>" : "<missing>"));
        }
        return result.join(u'|');
    }
    // For each named child whether it is shown, as "1" or "0".
    static QString shown(const frmRangliste& w, const char* names)
    {
        QString result;
        for (const QString& name : QString::fromLatin1(names).split(u' ')) {
            const auto* child = w.findChild<QWidget*>(name);
            result += QLatin1Char(child && !child->isHidden() ? '1' : '0');
        }
        return result;
    }
    void page(frmRangliste& w)
    {
        w.RanglisteLeeren();
        w.RanglisteFuellen();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(RankingWindow, StartsHiddenWithTheBaseLayoutAndTakesTheTitleOnActivation)
{
    frmRangliste w;
    EXPECT_EQ(w.windowTitle(), u"Rangliste"_s);
    EXPECT_TRUE(w.isHidden() && !w.isViewVisible());
    EXPECT_EQ(w.size(), QSize(640, 480));
    EXPECT_EQ(w.Zeilen(), 0);
    EXPECT_EQ(texts(w, "lblRanlistenTitel lblBezSNr lblRang1"), u"Titel|SNr.|<missing>"_s);
    EXPECT_EQ(shown(w, "lblRang0 lbxCSVIn"), u"00"_s);
    ASSERT_NE(w.findChild<QListWidget*>(u"lbxCSVIn"_s), nullptr);

    w.setTitel(u"anders"_s);
    EXPECT_EQ(texts(w, "lblRanlistenTitel"), u"anders"_s);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(texts(w, "lblRanlistenTitel"), u"Kreismeisterschaft Luftgewehr"_s);
}

TEST_F(RankingWindow, ReadingReplacesTheQueueOnlyWhenTheFileExists)
{
    frmRangliste w;
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 0);
    writeShooters(25, 40, 40);
    for (int twice = 0; twice < 2; ++twice) {
        w.LeseCSVEin();
        EXPECT_EQ(w.pendingLines(), 25);
    }
    ASSERT_TRUE(QFile::remove(m_dir.filePath(u"HRang3.csv"_s)));
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 25);
    writeRanking(QByteArray(), u"hrang3.CSV"_s);
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 0);

    ProgramState::instance().settings.VTXServerID = 12;
    writeRanking("\"1;;A, B;C\"\r\n2;;D, E\r\n", u"HRang12.csv"_s);
    w.LeseCSVEin();
    const auto* queue = w.findChild<QListWidget*>(u"lbxCSVIn"_s);
    ASSERT_EQ(queue->count(), 3);
    EXPECT_EQ(
        queue->item(0)->text() + u'|' + queue->item(1)->text() + u'|' + queue->item(2)->text(), u"1;;A, B;C|2;;D|E"_s);
}

TEST_F(RankingWindow, FittedWindowPagesThroughTheQueueOnScreen)
{
    // The workspace it lies in is dark grey; the list keeps the dialog colours.
    QWidget frame;
    QPalette workspace = frame.palette();
    workspace.setColor(QPalette::Window, workspace.color(QPalette::Dark));
    frame.setPalette(workspace);
    frame.resize(800, 900);
    auto* w = new frmRangliste(&frame);
    w->move(30, 40);
    w->RangListeAnpassen(UnitFrame);
    w->RangListeAnpassen(UnitFrame); // laid out again from the design, not from the scaled layout
    EXPECT_EQ(w->geometry(), QRect(QPoint(0, 0), UnitFrame));
    ASSERT_EQ(w->Zeilen(), 21);
    EXPECT_EQ(texts(*w, "lblSerieErg621 lnZeile22"), u"|<missing>"_s);
    // Design pitch 480 twips = 32 pixels.
    const auto* row0 = w->findChild<QLabel*>(u"lblSNr0"_s);
    const auto* row1 = w->findChild<QLabel*>(u"lblSNr1"_s);
    EXPECT_EQ(row0->geometry(), QRect(584, 72, 49, 17));
    EXPECT_EQ(row1->y() - row0->y(), 32);
    EXPECT_EQ(row1->font().pointSizeF(), 10);
    EXPECT_EQ(w->findChild<QFrame*>(u"lnTrenner"_s)->geometry().bottom() + 1, UnitFrame.height());

    writeShooters(22, 40, 61);
    w->LeseCSVEin();
    page(*w);
    frame.show();
    w->showInFront();
    EXPECT_TRUE(w->isViewVisible());
    const QImage image = w->grab().toImage();
    ASSERT_EQ(image.size(), UnitFrame);
    const QRgb background = image.pixel(image.width() - 2, image.height() - 2);
    const QPalette dialog = QApplication::palette("QDialog");
    EXPECT_EQ(QColor(background), dialog.color(QPalette::Window));
    EXPECT_EQ(w->findChild<QLabel*>(u"lblRang0"_s)->palette().color(QPalette::WindowText),
        dialog.color(QPalette::WindowText));
    EXPECT_EQ(qGray(image.pixel(image.width() / 2, 64)), 0); // the header line is black across
    int differing = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            differing += image.pixel(x, y) != background ? 1 : 0;
    }
    EXPECT_GT(differing, 500);

    // The first shooter takes two rows, so 18 shooters fit on rows 0 .. 18.
    EXPECT_EQ(w->pendingLines(), 4);
    EXPECT_EQ(texts(*w,
                  "lblRanlistenTitel lblTitelName0 lblVereinsName0 lblGesErg0 lblSerieErg11 lblSerieErg21 lblSNr1 "
                  "lblRang1 lblRang18 lblRang19"),
        u"Kreismeisterschaft Luftgewehr|Name1, Vorname|SV||97||61||18.|"_s);
    EXPECT_EQ(shown(*w, "lnZeile1 lnZeile19 lnZeile20 lblRang21"), u"0101"_s);

    page(*w);
    EXPECT_EQ(w->pendingLines(), 0);
    // Row 1 now holds a 40-shot shooter: series 5 and 6 of the earlier page are gone.
    EXPECT_EQ(texts(*w, "lblRang0 lblRang3 lblRang4 lblSNr1 lblSerieErg51"), u"19.|22.||40|"_s);
    EXPECT_EQ(shown(*w, "lnZeile5"), u"0"_s);
    // An empty queue leaves an empty page.
    page(*w);
    EXPECT_EQ(texts(*w, "lblRang0"), QString());
    EXPECT_EQ(shown(*w, "lnZeile1"), u"0"_s);

    // A right press on the background or a line opens the menu, one on a label does not.
    auto* menu = w->findChild<QMenu*>(u"mMenu"_s);
    QSignalSpy options(w, &frmRangliste::optionenAngefordert);
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(20, 12));
    EXPECT_FALSE(menu->isVisible());
    for (const QPoint at : {QPoint(300, 64), QPoint(600, 740)}) {
        QTest::mousePress(w, Qt::RightButton, {}, at);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
    auto* item = menu->findChild<QAction*>(u"mOptions"_s);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), u"Optionen"_s);
    item->trigger();
    EXPECT_EQ(options.count(), 1);
    w->hideView();
    EXPECT_FALSE(w->isViewVisible());
}

TEST_F(RankingWindow, BadFilesDoNotHurt)
{
    frmRangliste w;
    w.RangListeAnpassen(UnitFrame);
    QByteArray binary(100000, '\0');
    QRandomGenerator random(42);
    for (char& b : binary)
        b = char(random.bounded(256));
    writeRanking(binary);
    w.LeseCSVEin();
    ASSERT_GT(w.pendingLines(), 0);
    for (int n = 0; n < 100000 && w.pendingLines() > 0; ++n)
        page(w);
    EXPECT_EQ(w.pendingLines(), 0);
    EXPECT_FALSE(w.grab().isNull());
}
