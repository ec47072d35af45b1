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

namespace {

// At 96 dpi a pixel is 15 twips: 648 x 756 pixels is the design's outer size
// with one and a half times its height, where the layout keeps its design sizes.
const QSize UnitFrame(648, 756);

QString shooter(int rank, int shots)
{
    QStringList fields {QString::number(rank), QStringLiteral("x"), QStringLiteral("Name%1").arg(rank),
        QStringLiteral("Vorname"), QStringLiteral("SV"), QStringLiteral("38%1").arg(rank % 10), QString::number(rank),
        QString::number(shots)};
    for (int k = 1; k <= 12; ++k)
        fields.append(QString::number(90 + k % 10));
    return fields.join(QLatin1Char(';'));
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
        settings.RLTitel = QStringLiteral("Kreismeisterschaft Luftgewehr");
    }
    void TearDown() override
    {
        ProgramState::reset();
        Twips::overrideDpiForTest(0, 0);
    }

    void writeRanking(const QByteArray& bytes, const QString& name = QStringLiteral("HRang3.csv"))
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
    QString text(const frmRangliste& w, const char* name)
    {
        const auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    bool shown(const frmRangliste& w, const QString& name)
    {
        const auto* child = w.findChild<QWidget*>(name);
        return child && !child->isHidden();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(RankingWindow, StartsHiddenWithTheBaseLayoutAndTakesTheTitleOnActivation)
{
    frmRangliste w;
    EXPECT_EQ(w.objectName(), QStringLiteral("frmRangliste"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Rangliste"));
    EXPECT_TRUE(w.isHidden());
    EXPECT_FALSE(w.isViewVisible());
    EXPECT_EQ(w.size(), QSize(640, 480));
    EXPECT_EQ(w.Zeilen(), 0);
    EXPECT_EQ(text(w, "lblRanlistenTitel"), QStringLiteral("Titel"));
    EXPECT_EQ(text(w, "lblBezSNr"), QStringLiteral("SNr."));
    EXPECT_FALSE(shown(w, QStringLiteral("lblRang0")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblRang1")), nullptr);
    const auto* menu = w.findChild<QMenu*>(QStringLiteral("mMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Scheibenanzeige"));
    const auto* queue = w.findChild<QListWidget*>(QStringLiteral("lbxCSVIn"));
    ASSERT_NE(queue, nullptr);
    EXPECT_TRUE(queue->isHidden());

    w.setTitel(QStringLiteral("anders"));
    EXPECT_EQ(text(w, "lblRanlistenTitel"), QStringLiteral("anders"));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(text(w, "lblRanlistenTitel"), QStringLiteral("Kreismeisterschaft Luftgewehr"));
}

TEST_F(RankingWindow, ReadingReplacesTheQueueOnlyWhenTheFileExists)
{
    frmRangliste w;
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 0);

    writeShooters(25, 40, 40);
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 25);
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 25);

    ASSERT_TRUE(QFile::remove(m_dir.filePath(QStringLiteral("HRang3.csv"))));
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 25);

    writeRanking(QByteArray(), QStringLiteral("hrang3.CSV"));
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 0);

    ProgramState::instance().settings.VTXServerID = 12;
    writeRanking("\"1;;A, B;C\"\r\n2;;D, E\r\n", QStringLiteral("HRang12.csv"));
    w.LeseCSVEin();
    const auto* queue = w.findChild<QListWidget*>(QStringLiteral("lbxCSVIn"));
    ASSERT_EQ(queue->count(), 3);
    EXPECT_EQ(queue->item(0)->text(), QStringLiteral("1;;A, B;C"));
    EXPECT_EQ(queue->item(1)->text(), QStringLiteral("2;;D"));
    EXPECT_EQ(queue->item(2)->text(), QStringLiteral("E"));
}

TEST_F(RankingWindow, FittedWindowPagesThroughTheQueueOnScreen)
{
    QWidget frame;
    frame.resize(800, 900);
    auto* w = new frmRangliste(&frame);
    w->move(30, 40);
    w->RangListeAnpassen(UnitFrame);
    w->RangListeAnpassen(UnitFrame); // laid out again from the design, not from the scaled layout
    EXPECT_EQ(w->geometry(), QRect(QPoint(0, 0), UnitFrame));
    ASSERT_EQ(w->Zeilen(), 21);
    EXPECT_NE(w->findChild<QLabel*>(QStringLiteral("lblSerieErg621")), nullptr);
    EXPECT_EQ(w->findChild<QFrame*>(QStringLiteral("lnZeile22")), nullptr);
    // Design pitch 480 twips = 32 pixels.
    const auto* row0 = w->findChild<QLabel*>(QStringLiteral("lblSNr0"));
    const auto* row1 = w->findChild<QLabel*>(QStringLiteral("lblSNr1"));
    EXPECT_EQ(row0->geometry(), QRect(584, 72, 49, 17));
    EXPECT_EQ(row1->y() - row0->y(), 32);
    EXPECT_EQ(row1->font().pointSizeF(), 10);
    EXPECT_EQ(w->findChild<QFrame*>(QStringLiteral("lnTrenner"))->geometry().bottom() + 1, UnitFrame.height());

    writeShooters(22, 40, 61);
    w->LeseCSVEin();
    w->RanglisteLeeren();
    w->RanglisteFuellen();
    frame.show();
    w->showInFront();
    EXPECT_TRUE(w->isViewVisible());
    const QImage image = w->grab().toImage();
    ASSERT_EQ(image.size(), UnitFrame);
    const QRgb background = image.pixel(image.width() - 2, image.height() - 2);
    EXPECT_EQ(qGray(image.pixel(image.width() / 2, 64)), 0); // the header line is black across
    int differing = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            differing += image.pixel(x, y) != background ? 1 : 0;
    }
    EXPECT_GT(differing, 500);

    // The first shooter takes two rows, so 18 shooters fit on rows 0 .. 18.
    EXPECT_EQ(w->pendingLines(), 4);
    EXPECT_EQ(text(*w, "lblRanlistenTitel"), QStringLiteral("Kreismeisterschaft Luftgewehr"));
    EXPECT_EQ(text(*w, "lblTitelName0"), QStringLiteral("Name1, Vorname"));
    EXPECT_EQ(text(*w, "lblVereinsName0"), QStringLiteral("SV"));
    EXPECT_EQ(text(*w, "lblGesErg0"), QString());
    EXPECT_EQ(text(*w, "lblSerieErg11"), QStringLiteral("97"));
    EXPECT_EQ(text(*w, "lblSerieErg21"), QString());
    EXPECT_EQ(text(*w, "lblSNr1"), QStringLiteral("61"));
    EXPECT_EQ(text(*w, "lblRang1"), QString());
    EXPECT_EQ(text(*w, "lblRang18"), QStringLiteral("18."));
    EXPECT_EQ(text(*w, "lblRang19"), QString());
    EXPECT_FALSE(shown(*w, QStringLiteral("lnZeile1")));
    EXPECT_TRUE(shown(*w, QStringLiteral("lnZeile19")));
    EXPECT_FALSE(shown(*w, QStringLiteral("lnZeile20")));
    EXPECT_TRUE(shown(*w, QStringLiteral("lblRang21")));

    w->RanglisteLeeren();
    w->RanglisteFuellen();
    EXPECT_EQ(w->pendingLines(), 0);
    EXPECT_EQ(text(*w, "lblRang0"), QStringLiteral("19."));
    EXPECT_EQ(text(*w, "lblRang3"), QStringLiteral("22."));
    EXPECT_EQ(text(*w, "lblRang4"), QString());
    // Row 1 now holds a 40-shot shooter: series 5 and 6 of the earlier page are gone.
    EXPECT_EQ(text(*w, "lblSNr1"), QStringLiteral("40"));
    EXPECT_EQ(text(*w, "lblSerieErg51"), QString());
    EXPECT_FALSE(shown(*w, QStringLiteral("lnZeile5")));

    // An empty queue leaves an empty page.
    w->RanglisteLeeren();
    w->RanglisteFuellen();
    EXPECT_EQ(text(*w, "lblRang0"), QString());
    EXPECT_FALSE(shown(*w, QStringLiteral("lnZeile1")));

    // A right press on the background or a line opens the menu, one on a label does not.
    auto* menu = w->findChild<QMenu*>(QStringLiteral("mMenu"));
    QSignalSpy options(w, &frmRangliste::optionenAngefordert);
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(20, 12));
    EXPECT_FALSE(menu->isVisible());
    for (const QPoint at : {QPoint(300, 64), QPoint(600, 740)}) {
        QTest::mousePress(w, Qt::RightButton, {}, at);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
    auto* item = menu->findChild<QAction*>(QStringLiteral("mOptions"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Optionen"));
    item->trigger();
    EXPECT_EQ(options.count(), 1);

    w->hideView();
    EXPECT_FALSE(w->isViewVisible());
}

TEST_F(RankingWindow, BadFilesDoNotHurt)
{
    frmRangliste w;
    w.RangListeAnpassen(UnitFrame);

    writeRanking("7;x;Kurz\r\n;;;;;;;99999;1;2;3;4;5;6;7;8;9;10;11;12\r\n\r\n,,,\r\n");
    w.LeseCSVEin();
    EXPECT_EQ(w.pendingLines(), 7);
    w.RanglisteLeeren();
    w.RanglisteFuellen();
    EXPECT_EQ(w.pendingLines(), 0);
    EXPECT_EQ(text(w, "lblTitelName0"), QStringLiteral("Kurz, "));
    EXPECT_EQ(text(w, "lblSNr1"), QStringLiteral("99999"));
    EXPECT_EQ(text(w, "lblSerieErg11"), QString());
    EXPECT_EQ(text(w, "lblRang2"), QStringLiteral("."));

    QByteArray binary(100000, '\0');
    QRandomGenerator random(42);
    for (char& b : binary)
        b = char(random.bounded(256));
    writeRanking(binary);
    w.LeseCSVEin();
    ASSERT_GT(w.pendingLines(), 0);
    for (int page = 0; page < 100000 && w.pendingLines() > 0; ++page) {
        w.RanglisteLeeren();
        w.RanglisteFuellen();
    }
    EXPECT_EQ(w.pendingLines(), 0);
    EXPECT_FALSE(w.grab().isNull());
}
