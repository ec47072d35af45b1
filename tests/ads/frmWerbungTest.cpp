#include "ads/frmWerbung.h"

#include "platform/ProgramInfo.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

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
#include <tuple>

namespace {

class frmWerbungTest : public ::testing::Test {
protected:
    frmWerbungTest()
    {
        ProgramState::reset();
        ProgramInfo::setDirectoryForTest(program.path());
        Twips::overrideDpiForTest(96, 96);
        QDir(program.path()).mkdir(QStringLiteral("werbung"));
    }
    ~frmWerbungTest() override
    {
        ProgramState::reset();
        Twips::overrideDpiForTest(0, 0);
    }

    QString werbung() const { return QDir(program.path()).filePath(QStringLiteral("werbung")); }

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

    static QLabel* label(const frmWerbung& w, const char* name)
    {
        return w.findChild<QLabel*>(QString::fromLatin1(name));
    }
    static QRgb shownColour(const frmWerbung& w) { return label(w, "pbxBild")->pixmap().toImage().pixel(0, 0); }

    QTemporaryDir program;
};

TEST_F(frmWerbungTest, IsCreatedHiddenWithItsControlsOnTheClientArea)
{
    picture(QStringLiteral("hb_0_a.bmp"), {4, 4}, qRgb(255, 0, 0));
    const auto w = window(QSize(1024, 768));

    EXPECT_EQ(w->objectName(), QStringLiteral("frmWerbung"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Werbung"));
    EXPECT_EQ(w->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_FALSE(w->isViewVisible());
    auto* list = w->findChild<QListWidget*>(QStringLiteral("flbWerbung"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isHidden());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("hb_0_a.bmp"));
    for (const char* name : {"pbxBild", "imgSaveBild", "pbxSaveBild"})
        ASSERT_NE(label(*w, name), nullptr) << name;
    EXPECT_TRUE(label(*w, "pbxSaveBild")->isHidden());

    w->showInFront();
    EXPECT_TRUE(w->isViewVisible());
    w->hideView();
    EXPECT_FALSE(w->isViewVisible());
}

TEST_F(frmWerbungTest, WithoutAdvertisingDirectoryReadsTheCurrentDirectory)
{
    QTemporaryDir other;
    ProgramInfo::setDirectoryForTest(other.path());
    QTemporaryDir current;
    QImage(2, 2, QImage::Format_RGB32).save(QDir(current.path()).filePath(QStringLiteral("HB_0_here.JPG")));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const auto w = window();
    QDir::setCurrent(before);

    auto* list = w->findChild<QListWidget*>(QStringLiteral("flbWerbung"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("HB_0_here.JPG"));
}

TEST_F(frmWerbungTest, FittedViewScalesAnchoredTopLeftAndTheUnscaledViewDoesNot)
{
    const std::tuple<QSize, QSize> cases[] = {{{400, 400}, {600, 600}}, {{1600, 900}, {800, 450}}};
    for (const auto& [size, fittedSize] : cases) {
        picture(QStringLiteral("hb_0_p.bmp"), size, qRgb(200, 100, 50));
        const auto w = window(QSize(800, 600));
        w->Werbung_Laden();
        QLabel* fitted = label(*w, "imgSaveBild");
        EXPECT_EQ(fitted->geometry(), QRect(QPoint(0, 0), fittedSize));
        EXPECT_TRUE(fitted->hasScaledContents());
        EXPECT_FALSE(fitted->isHidden());
        EXPECT_EQ(fitted->pixmap().size(), size);
        EXPECT_EQ(label(*w, "pbxBild")->size(), size);
        EXPECT_TRUE(label(*w, "pbxSaveBild")->isHidden());
    }

    ProgramState::instance().settings.VergroessernAus = 1;
    picture(QStringLiteral("hb_0_p.bmp"), {40, 30}, qRgb(10, 20, 30));
    const auto w = window();
    w->Werbung_Laden();
    QLabel* unscaled = label(*w, "pbxSaveBild");
    EXPECT_FALSE(unscaled->isHidden());
    EXPECT_EQ(unscaled->geometry(), QRect(QPoint(0, 0), Twips::screenSize()));
    EXPECT_FALSE(unscaled->hasScaledContents());
    EXPECT_EQ(unscaled->pixmap().size(), QSize(40, 30));
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

    picture(QStringLiteral("hb_0_a.bmp"), {8, 8}, qRgb(255, 0, 0));
    {
        QFile damaged(QDir(werbung()).filePath(QStringLiteral("hb_0_b.bmp")));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("BM this is no picture");
    }
    picture(QStringLiteral("hb_0_c.bmp"), {8, 8}, qRgb(0, 0, 255));
    picture(QStringLiteral("hb_0_d.bmp"), {8, 8}, qRgb(0, 255, 0));
    const auto w = window();
    QFile::remove(QDir(werbung()).filePath(QStringLiteral("hb_0_d.bmp")));
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
        picture(QStringLiteral("hb_0_%1.bmp").arg(i, 3, 10, QLatin1Char('0')), {1, 1}, qRgb(i % 256, i / 256, 0));
    const auto w = window(QSize(10, 10));

    for (int i = 0; i < 256; ++i)
        w->Werbung_Laden();
    EXPECT_EQ(shownColour(*w), qRgb(255, 0, 0));
    EXPECT_EQ(ProgramState::instance().WerbeBildNr, 0);
    w->Werbung_Laden();
    EXPECT_EQ(shownColour(*w), qRgb(0, 0, 0));
    EXPECT_EQ(ProgramState::instance().WerbeBildNr, 1);
}

TEST_F(frmWerbungTest, ContextMenuOffersTheOptions)
{
    const auto w = window();
    QSignalSpy requested(w.get(), &frmWerbung::optionenAngefordert);
    auto* menu = w->findChild<QMenu*>(QStringLiteral("mMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Scheibenanzeige"));

    w->show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(w.get(), &event);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    auto* options = w->findChild<QAction*>(QStringLiteral("mOptionen"));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->text(), QStringLiteral("Options"));
    options->trigger();
    EXPECT_EQ(requested.count(), 1);
}

} // namespace
