#include "platform/TextCodec.h"
#include "platform/Twips.h"
#include "ranking/RankingFile.h"
#include "ranking/RankingLine.h"
#include "ranking/RankingPage.h"
#include "ranking/frmRangliste.h"
#include "support/ProgramFolder.h"
#include "support/TestData.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TEST(RankingLine, ItemsFieldsAndShotCountsFollowTheirTable)
{
    for (const TestData::Line& row : TestData::lines(u"ranking/data/lines.txt"_s)) {
        SCOPED_TRACE(row.where);
        QStringList expected, actual;
        for (const QString& cell : row.cells.mid(2))
            expected.append(QString::fromUtf8(TestData::unescape(cell)));
        TextCodec::setAnsiCodePageForTest(row.cells[0] == u"items-1251" ? "windows-1251" : QByteArray());
        if (row.cells[0].startsWith(u"items"_s)) {
            actual = RankingFile::readItems(TestData::unescape(row.cells[1]));
        } else if (row.cells[0] == u"fields") {
            const RankingLine line(row.cells[1]);
            for (int k = 0; k <= 21; ++k)
                actual.append(line.field(k));
            expected = QStringList {QString()} + expected + QStringList {QString()};
        } else {
            actual.append(QString::number(RankingLine::shotCount(row.cells[1])));
        }
        EXPECT_EQ(actual.join(u'|').toStdString(), expected.join(u'|').toStdString());
        EXPECT_EQ(actual.size(), expected.size());
    }
    TextCodec::setAnsiCodePageForTest(QByteArray());
}

// Every page the queue fills, row by row ("-" for a cell the page leaves
// alone), with the separator lines shown.
QString pages(QStringList queue, int zeilen)
{
    QString out;
    for (int n = 1;; ++n) {
        const RankingPage page = fillRankingPage(queue, zeilen);
        out += u"page %1 takes %2 lines; lines shown:"_s.arg(n).arg(page.consumed);
        for (std::size_t r = 0; r < page.linesShown.size(); ++r)
            out += page.linesShown[r] ? u" %1"_s.arg(r) : QString();
        out += u'\n';
        for (std::size_t r = 0; r < page.rows.size(); ++r) {
            QStringList cells;
            for (const std::optional<QString>& cell : page.rows[r])
                cells.append(cell.value_or(u"-"_s));
            out += u"%1: %2\n"_s.arg(r, 2).arg(cells.join(u'|'));
        }
        if (page.consumed == 0 || page.consumed == queue.size())
            return out;
        queue.remove(0, page.consumed);
    }
}

TEST(RankingPage, FillsPagesAsPinned)
{
    QMap<QString, std::pair<QStringList, int>> cases; // name: queue and rows
    QString name;
    for (const TestData::Line& line : TestData::lines(u"ranking/data/pages.txt"_s)) {
        if (line.text.startsWith(u"== "_s))
            cases[name = line.text.section(u' ', 1, 1)].second = line.text.section(u' ', 2).toInt();
        else
            cases[name].first.append(line.text);
    }
    for (auto it = cases.cbegin(); it != cases.cend(); ++it)
        TestData::expectPinned(u"ranking/expected/pages_%1.txt"_s.arg(it.key()), pages(it->first, it->second));
}

// At 96 dpi a pixel is 15 twips: 648 x 756 pixels is the design's outer size
// with one and a half times its height, where the layout keeps its design sizes.
const QSize UnitFrame(648, 756);

class RankingWindow : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // Left for the rest of the test program: no test here needs the real one.
        Twips::overrideDpiForTest(96, 96);
        s().KORVUPfad = dir();
        s().VTXServerID = 3;
        s().RLTitel = u"Kreismeisterschaft"_s;
    }
    // The window as it reads, top to bottom and left to right: each child with its place.
    static QString screen(const frmRangliste& w)
    {
        QList<QWidget*> children = w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        std::ranges::stable_sort(children, {}, [](const QWidget* c) { return std::pair(c->y(), c->x()); });
        QString out = u"%1 %2x%3 Zeilen %4\n"_s.arg(w.windowTitle()).arg(w.width()).arg(w.height()).arg(w.Zeilen());
        for (const QWidget* child : children) {
            const auto* label = qobject_cast<const QLabel*>(child);
            const QRect g = child->geometry();
            out += QString::asprintf("%s %d,%d %dx%d%s", qPrintable(child->objectName()), g.x(), g.y(), g.width(),
                       g.height(), child->isHidden() ? " hidden" : "")
                + (label ? u" %1pt%2 \"%3\"\n"_s.arg(label->font().pointSizeF())
                               .arg(label->font().bold() ? u" bold"_s : QString(), label->text())
                         : u"\n"_s);
        }
        return out;
    }
};

TEST_F(RankingWindow, LaysItselfOutAndPagesThroughTheQueueAsPinned)
{
    QWidget frame;
    frame.resize(800, 900);
    auto* w = new frmRangliste(&frame);
    QString out = u"== created\n"_s + screen(*w);
    w->move(30, 40);
    w->RangListeAnpassen(UnitFrame);
    w->RangListeAnpassen(UnitFrame); // laid out again from the design, not from the scaled layout
    out += u"== fitted twice\n"_s + screen(*w);
    // 22 shooters, the first with 61 shots on two rows: 18 on the first page.
    write(u"HRang3.csv"_s, TestData::read(u"ranking/data/HRang3.csv"_s));
    w->LeseCSVEin();
    for (int page = 1; page <= 3; ++page) {
        w->RanglisteLeeren();
        w->RanglisteFuellen();
        out += u"== page %1, %2 lines left\n"_s.arg(page).arg(w->pendingLines()) + screen(*w);
    }
    TestData::expectPinned(u"ranking/expected/window.txt"_s, out);
    // Other frames (frames.txt).
    for (const TestData::Line& row : TestData::lines(u"ranking/data/frames.txt"_s)) {
        frmRangliste fitted;
        fitted.RangListeAnpassen(QSize(row.number(1), row.number(2)));
        TestData::expectPinned(u"ranking/expected/window_%1.txt"_s.arg(row.cell(0)), screen(fitted));
    }
    EXPECT_EQ(w->findChild<QFrame*>(u"lnTitel"_s)->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(w->palette().color(QPalette::Window), QApplication::palette("QDialog").color(QPalette::Window));

    // Shown, it takes the title; a right press on the background or a line opens the menu, one on a label does not.
    frame.show();
    w->showInFront();
    EXPECT_TRUE(w->isViewVisible());
    EXPECT_EQ(w->findChild<QLabel*>(u"lblRanlistenTitel"_s)->text(), s().RLTitel);
    auto* menu = w->findChild<QMenu*>(u"mMenu"_s);
    QSignalSpy options(w, &frmRangliste::optionenAngefordert);
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(20, 12));
    EXPECT_FALSE(menu->isVisible());
    for (const QPoint at : {QPoint(300, 64), QPoint(600, 740)}) {
        QTest::mousePress(w, Qt::RightButton, {}, at);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
    EXPECT_EQ(menu->actions().value(0)->objectName() + u' ' + menu->actions().value(0)->text(), u"mOptions Optionen"_s);
    menu->actions().value(0)->trigger();
    EXPECT_EQ(options.count(), 1);
    w->hideView();
    EXPECT_FALSE(w->isViewVisible());
}

TEST_F(RankingWindow, ReadsTheFileOnlyWhenThereAndTakesTheTitleOnActivation)
{
    frmRangliste w;
    // Each reading replaces the queue; without a file it stays as it was.
    const auto read = [&w] { return w.LeseCSVEin(), w.pendingLines(); };
    EXPECT_EQ(read(), 0);
    write(u"HRang3.csv"_s, "a\r\nb\r\n");
    EXPECT_EQ(read(), 2);
    EXPECT_EQ(read(), 2);
    ASSERT_TRUE(QFile::remove(file(u"HRang3.csv"_s)));
    EXPECT_EQ(read(), 2);
    write(u"hrang3.CSV"_s, QByteArray());
    EXPECT_EQ(read(), 0);
    s().VTXServerID = 12;
    write(u"HRang12.csv"_s, "\"1;;A, B;C\"\r\n2;;D, E\r\n");
    EXPECT_EQ(read(), 3);
    w.setTitel(u"anders"_s);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(w.findChild<QLabel*>(u"lblRanlistenTitel"_s)->text(), s().RLTitel);
}

TEST_F(RankingWindow, BinaryFileIsPagedThroughWithoutHarm)
{
    frmRangliste w;
    w.RangListeAnpassen(UnitFrame);
    QByteArray binary(100000, '\0');
    QRandomGenerator random(42);
    for (char& b : binary)
        b = char(random.bounded(256));
    write(u"HRang3.csv"_s, binary);
    w.LeseCSVEin();
    ASSERT_GT(w.pendingLines(), 0);
    for (int n = 0; n < 100000 && w.pendingLines() > 0; ++n) {
        w.RanglisteLeeren();
        w.RanglisteFuellen();
    }
    EXPECT_EQ(w.pendingLines(), 0);
}

} // namespace
