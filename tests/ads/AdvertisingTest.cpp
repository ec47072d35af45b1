#include "ads/AdvertisingCycle.h"
#include "ads/AdvertisingPictures.h"
#include "ads/PictureFit.h"
#include "ads/frmWerbung.h"
#include "platform/ProgramInfo.h"
#include "platform/Twips.h"
#include "shell/FrameTimers.h"
#include "support/ProgramFolder.h"
#include "support/TestData.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TEST(AdvertisingPictures, RotateAsTheirTableSays)
{
    for (const TestData::Line& row : TestData::lines(u"ads/data/rotation.txt"_s)) {
        SCOPED_TRACE(row.where);
        QTemporaryDir dir;
        for (const QString& name : row.cells[0].split(u',', Qt::SkipEmptyParts))
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QDir(dir.path()).mkdir(u"hb_0_folder.bmp"_s);
        AdvertisingPictures pictures;
        pictures.bind(dir.path());
        auto position = std::uint8_t(row.cells[1].toInt());
        QStringList shown;
        for (qsizetype i = 0; i <= row.cells[2].count(u','); ++i) {
            const auto file = pictures.showNext(position, [](const QString&) { return true; });
            shown.append(file ? QFileInfo(*file).fileName() : u"-"_s);
        }
        EXPECT_EQ(shown.join(u','), row.cells[2]);
        EXPECT_EQ(position, row.cells[3].toInt());
    }
}

TEST(PictureFit, FollowsItsTable)
{
    for (const TestData::Line& row : TestData::lines(u"ads/data/picture_fit.txt"_s)) {
        SCOPED_TRACE(row.where);
        const QList<double> w = TestData::numbers(row.cells[0]), p = TestData::numbers(row.cells[1]);
        const QSizeF fitted = PictureFit::fitted(QSizeF(w[0], w[1]), QSizeF(p[0], p[1]));
        EXPECT_EQ(u"%1 %2"_s.arg(fitted.width(), 0, 'g', 10).arg(fitted.height(), 0, 'g', 10), row.cells[2]);
    }
}

class AdvertisingWindow : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // Left for the rest of the test program: no test here needs the real one.
        Twips::overrideDpiForTest(96, 96);
        QDir(dir()).mkdir(u"werbung"_s);
    }
    void picture(const QString& name, QSize size, QRgb colour) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(file(u"werbung/"_s + name), "BMP"));
    }
    static QLabel* label(const frmWerbung& w, const char* name) { return w.findChild<QLabel*>(QLatin1String(name)); }
    // The colour of the picture last loaded, then place, size and scaling of
    // the fitted and of the unscaled view with the size of their pictures.
    static QString shown(const frmWerbung& w)
    {
        QString out = QColor(label(w, "pbxBild")->pixmap().toImage().pixel(0, 0)).name();
        for (const QLabel* l : {label(w, "imgSaveBild"), label(w, "pbxSaveBild")}) {
            const QRect g = l->geometry();
            out += l->isHidden()
                ? u" | hidden"_s
                : QString::asprintf(" | %d,%d %dx%d %s %dx%d", g.x(), g.y(), g.width(), g.height(),
                    l->hasScaledContents() ? "scaled" : "unscaled", l->pixmap().width(), l->pixmap().height());
        }
        return out;
    }
};

TEST_F(AdvertisingWindow, CycleOnTheFrameTimersFollowsItsTable)
{
    for (const char* name : {"hb_0_a.bmp", "hb_0_b.bmp", "hb_0_c.bmp"})
        picture(QLatin1String(name), {2, 2}, qRgb(1, 2, 3));
    for (const TestData::Line& row : TestData::lines(u"ads/data/cycle.txt"_s)) {
        SCOPED_TRACE(row.where);
        FrameTimers timers;
        frmWerbung view;
        AdvertisingCycle cycle {state(), timers, view};
        // The frame's wiring of the two advertising timers.
        QObject::connect(&timers.tmrWerbePause, &VbTimer::timeout, [&cycle] { cycle.onWerbePause(); });
        QObject::connect(&timers.tmrWerbung, &VbTimer::timeout, [&cycle] { cycle.onWerbung(); });
        const QList<double> v = TestData::numbers(row.cells[0]);
        s().FreieWerbung = std::uint8_t(v[0]);
        s().Blaettern = std::uint8_t(v[1]);
        s().WerbeZeit = std::uint8_t(v[2]);
        s().WerbePause = std::uint8_t(v[3]);
        state().WerbeBildNr = 0;
        const QMap<QString, std::function<void()>> events {{u"pause"_s, [&] { timers.tmrWerbePause.fire(); }},
            {u"P"_s, [&] { timers.tmrWerbePause.setEnabled(true); }}, {u"slot"_s, [&] { cycle.startSlot(); }},
            {u"end"_s, [&] { timers.tmrWerbung.fire(); }}, {u"off"_s, [&] { s().FreieWerbung = 0; }},
            {u"wait"_s, [] { QTest::qWait(20); }}};
        for (const QString& event : row.cells[1].split(u' '))
            events[event]();
        QString running;
        for (const VbTimer* t : {&timers.tmrWerbePause, &timers.tmrWerbung, &timers.tmrBlaettern})
            running += t->isEnabled() ? u"PWB"_s[running.size()] : u'-';
        EXPECT_EQ(running + (view.isViewVisible() ? u" shown"_s : u" hidden"_s), row.cells[2]);
        EXPECT_EQ(state().WerbeBildNr, row.cells[3].toInt());
        EXPECT_EQ(u"%1 %2"_s.arg(timers.tmrWerbung.interval()).arg(timers.tmrWerbePause.interval()), row.cells[4]);
    }
}

TEST_F(AdvertisingWindow, IsCreatedHiddenReadsItsFolderAndItsMenuOffersTheOptions)
{
    frmWerbung w;
    w.WerbungAnpassen(QSize(1024, 768));
    EXPECT_EQ(w.geometry(), QRect(0, 0, 1024, 768));
    const auto* list = w.findChild<QListWidget*>(u"flbWerbung"_s);
    EXPECT_TRUE(list->isHidden() && label(w, "pbxSaveBild")->isHidden() && !w.isViewVisible());
    EXPECT_EQ(w.palette().color(QPalette::Window), QApplication::palette("QDialog").color(QPalette::Window));
    EXPECT_TRUE(w.autoFillBackground());

    w.showInFront();
    EXPECT_TRUE(w.isViewVisible());
    QSignalSpy requested(&w, &frmWerbung::optionenAngefordert);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&w, &event);
    auto* menu = w.findChild<QMenu*>(u"mMenu"_s);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    menu->actions().value(0)->trigger();
    EXPECT_EQ(requested.count(), 1);

    // Without an advertising folder the pictures are looked for in the current folder.
    QTemporaryDir other, current;
    ProgramInfo::setDirectoryForTest(other.path());
    QImage(2, 2, QImage::Format_RGB32).save(QDir(current.path()).filePath(u"HB_0_here.JPG"_s), "JPG");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    frmWerbung elsewhere;
    QDir::setCurrent(before);
    list = elsewhere.findChild<QListWidget*>(u"flbWerbung"_s);
    EXPECT_EQ(list->count() == 1 ? list->item(0)->text() : QString(), u"HB_0_here.JPG"_s);
}

TEST_F(AdvertisingWindow, SlotsShowThePicturesFittedOrUnscaledAndSkipWhatCannotBeLoaded)
{
    frmWerbung none;
    none.Werbung_Laden();
    EXPECT_TRUE(label(none, "imgSaveBild")->pixmap().isNull());

    picture(u"hb_0_a.bmp"_s, {400, 400}, qRgb(255, 0, 0));
    write(u"werbung/hb_0_b.bmp"_s, "BM this is no picture");
    picture(u"hb_0_c.bmp"_s, {1600, 900}, qRgb(0, 0, 255));
    picture(u"hb_0_d.bmp"_s, {8, 8}, qRgb(0, 255, 0));
    frmWerbung w;
    w.WerbungAnpassen(QSize(800, 600));
    QFile::remove(file(u"werbung/hb_0_d.bmp"_s));
    const QString screen = u"%1x%2"_s.arg(Twips::screenSize().width()).arg(Twips::screenSize().height());
    for (const TestData::Line& row : TestData::lines(u"ads/data/slots.txt"_s)) {
        SCOPED_TRACE(row.where);
        if (row.cells[0] == u"gone")
            QDir(file(u"werbung"_s)).removeRecursively();
        s().VergroessernAus = std::uint8_t(row.cells[0].toInt());
        w.Werbung_Laden();
        EXPECT_EQ(
            shown(w).toStdString(), row.cells.mid(1, 3).join(u" | "_s).replace(u"$SCREEN"_s, screen).toStdString());
        EXPECT_EQ(state().WerbeBildNr, row.cells[4].toInt());
    }
    EXPECT_EQ(label(w, "pbxSaveBild")->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

} // namespace
