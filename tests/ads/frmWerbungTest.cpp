#include "ads/frmWerbung.h"

#include "platform/ProgramInfo.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace Qt::StringLiterals;

namespace {

class frmWerbungTest : public ::testing::Test {
protected:
    frmWerbungTest()
    {
        ProgramState::reset();
        ProgramInfo::setDirectoryForTest(program.path());
        Twips::overrideDpiForTest(96, 96);
        QDir(program.path()).mkdir(u"werbung"_s);
    }
    ~frmWerbungTest() override
    {
        ProgramState::reset();
        Twips::overrideDpiForTest(0, 0);
    }

    QString werbung() const { return QDir(program.path()).filePath(u"werbung"_s); }

    void picture(const QString& name, QSize size, QRgb colour) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QDir(werbung()).filePath(name)));
    }

    std::unique_ptr<frmWerbung> window(QSize size = QSize(800, 600)) const
    {
        auto w = std::make_unique<frmWerbung>();
        w->WerbungAnpassen(size);
        return w;
    }

    static QLabel* label(const frmWerbung& w, const char* name) { return w.findChild<QLabel*>(QLatin1String(name)); }
    static QRgb shownColour(const frmWerbung& w) { return label(w, "pbxBild")->pixmap().toImage().pixel(0, 0); }
    // Place, size, scaling and visibility of a picture box and the size of its picture.
    static QString shape(const QLabel* l)
    {
        const QRect g = l->geometry();
        return QString::asprintf("%d,%d %dx%d %s %s %dx%d", g.x(), g.y(), g.width(), g.height(),
            l->hasScaledContents() ? "scaled" : "unscaled", l->isHidden() ? "hidden" : "shown", l->pixmap().width(),
            l->pixmap().height());
    }

    QTemporaryDir program;
};

TEST_F(frmWerbungTest, IsCreatedHiddenOnTheClientAreaAndItsMenuOffersTheOptions)
{
    picture(u"hb_0_a.bmp"_s, {4, 4}, qRgb(255, 0, 0));
    const auto w = window(QSize(1024, 768));
    EXPECT_EQ(w->windowTitle(), u"Werbung"_s);
    EXPECT_EQ(w->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_FALSE(w->isViewVisible());
    const auto* list = w->findChild<QListWidget*>(u"flbWerbung"_s);
    EXPECT_TRUE(list->isHidden());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), u"hb_0_a.bmp"_s);
    EXPECT_TRUE(label(*w, "pbxSaveBild")->isHidden());

    w->showInFront();
    EXPECT_TRUE(w->isViewVisible());
    QSignalSpy requested(w.get(), &frmWerbung::optionenAngefordert);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(w.get(), &event);
    auto* menu = w->findChild<QMenu*>(u"mMenu"_s);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    auto* options = w->findChild<QAction*>(u"mOptionen"_s);
    EXPECT_EQ(options->text(), u"Options"_s);
    options->trigger();
    EXPECT_EQ(requested.count(), 1);
    w->hideView();
    EXPECT_FALSE(w->isViewVisible());

    // Inside the frame's dark grey workspace it keeps the dialog background.
    QWidget workspace;
    QPalette dark = workspace.palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Dark));
    workspace.setPalette(dark);
    const frmWerbung inside(&workspace);
    const QColor dialog = QApplication::palette("QDialog").color(QPalette::Window);
    EXPECT_EQ(inside.palette().color(QPalette::Window), dialog);
    EXPECT_EQ(label(inside, "pbxSaveBild")->palette().color(QPalette::Window), dialog);
}

TEST_F(frmWerbungTest, WithoutAdvertisingDirectoryReadsTheCurrentDirectory)
{
    QTemporaryDir other;
    ProgramInfo::setDirectoryForTest(other.path());
    QTemporaryDir current;
    QImage(2, 2, QImage::Format_RGB32).save(QDir(current.path()).filePath(u"HB_0_here.JPG"_s));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const auto w = window();
    QDir::setCurrent(before);
    const auto* list = w->findChild<QListWidget*>(u"flbWerbung"_s);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), u"HB_0_here.JPG"_s);
}

TEST_F(frmWerbungTest, FittedViewScalesAnchoredTopLeftAndTheUnscaledViewDoesNot)
{
    for (const auto& [size, fitted] : {std::pair {QSize(400, 400), "0,0 600x600 scaled shown 400x400"},
             std::pair {QSize(1600, 900), "0,0 800x450 scaled shown 1600x900"}}) {
        picture(u"hb_0_p.bmp"_s, size, qRgb(200, 100, 50));
        const auto w = window(QSize(800, 600));
        w->Werbung_Laden();
        EXPECT_EQ(shape(label(*w, "imgSaveBild")), QLatin1String(fitted));
        EXPECT_EQ(label(*w, "pbxBild")->size(), size);
        EXPECT_TRUE(label(*w, "pbxSaveBild")->isHidden());
    }

    ProgramState::instance().settings.VergroessernAus = 1;
    picture(u"hb_0_p.bmp"_s, {40, 30}, qRgb(10, 20, 30));
    const auto w = window();
    w->Werbung_Laden();
    QLabel* unscaled = label(*w, "pbxSaveBild");
    EXPECT_EQ(shape(unscaled),
        QString::asprintf("0,0 %dx%d unscaled shown 40x30", Twips::screenSize().width(), Twips::screenSize().height()));
    EXPECT_EQ(unscaled->alignment(), Qt::AlignLeft | Qt::AlignTop);

    // Back to the fitted view: the box is hidden again.
    ProgramState::instance().settings.VergroessernAus = 0;
    w->Werbung_Laden();
    EXPECT_TRUE(unscaled->isHidden());
    EXPECT_EQ(label(*w, "imgSaveBild")->size(), QSize(800, 600));
}

TEST_F(frmWerbungTest, DamagedOrDeletedPicturesAreSkippedAndWithoutAnyThePreviousStays)
{
    const auto none = window();
    none->Werbung_Laden();
    EXPECT_TRUE(label(*none, "imgSaveBild")->pixmap().isNull());
    EXPECT_EQ(ProgramState::instance().WerbeBildNr, 0);

    picture(u"hb_0_a.bmp"_s, {8, 8}, qRgb(255, 0, 0));
    QFile damaged(QDir(werbung()).filePath(u"hb_0_b.bmp"_s));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("BM this is no picture") > 0);
    damaged.close();
    picture(u"hb_0_c.bmp"_s, {8, 8}, qRgb(0, 0, 255));
    picture(u"hb_0_d.bmp"_s, {8, 8}, qRgb(0, 255, 0));
    const auto w = window();
    QFile::remove(QDir(werbung()).filePath(u"hb_0_d.bmp"_s));
    for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 0, 0)}) {
        w->Werbung_Laden();
        EXPECT_EQ(shownColour(*w), colour);
    }

    QDir(werbung()).removeRecursively();
    w->Werbung_Laden();
    EXPECT_EQ(shownColour(*w), qRgb(255, 0, 0));
    EXPECT_EQ(label(*w, "imgSaveBild")->size(), QSize(600, 600));
}

TEST_F(frmWerbungTest, ThreeHundredPicturesRotatePastPosition255)
{
    for (int i = 0; i < 300; ++i)
        picture(u"hb_0_%1.bmp"_s.arg(i, 3, 10, QLatin1Char('0')), {1, 1}, qRgb(i % 256, i / 256, 0));
    const auto w = window(QSize(10, 10));
    for (int i = 0; i < 256; ++i)
        w->Werbung_Laden();
    EXPECT_EQ(shownColour(*w), qRgb(255, 0, 0));
    EXPECT_EQ(ProgramState::instance().WerbeBildNr, 0);
    w->Werbung_Laden();
    EXPECT_EQ(shownColour(*w), qRgb(0, 0, 0));
    EXPECT_EQ(ProgramState::instance().WerbeBildNr, 1);
}

} // namespace
