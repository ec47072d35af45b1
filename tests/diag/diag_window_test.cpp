#include "diag/DiagnosticsSource.h"
#include "diag/frmDiagnose.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FakeSource : public DiagnosticsSource {
public:
    QList<Window> loadedWindows() const override { return windows; }
    QList<Target> targetWindows() const override { return targets; }

    QList<Window> windows {{u"frmMDI"_s, true}, {u"frmDiagnose"_s, true}, {u"Scheibe"_s, false}, {u"Options"_s, false}};
    QList<Target> targets {{u"Scheibe"_s, true}, {u"Scheibe"_s, false}};
};

class DiagnoseTest : public ::testing::Test {
protected:
    // Clicks the named button and returns the lines of the list.
    QStringList click(const char* name)
    {
        auto* button = window.findChild<QPushButton*>(QLatin1String(name));
        if (button == nullptr || list == nullptr) {
            ADD_FAILURE() << "no " << name << " or list";
            return {};
        }
        button->click();
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    FakeSource source;
    frmDiagnose window {source};
    QListWidget* list = window.findChild<QListWidget*>(u"lstParameter"_s);
};

TEST_F(DiagnoseTest, WindowListCountsEveryWindowOnceAndStaysWhenClosed)
{
    const QStringList expected {u" Forms.Count = 4"_s, u" hWND 0 = frmMDI (shown)"_s,
        u" hWND 1 = frmDiagnose (shown)"_s, u" hWND 2 = Scheibe (hidden)"_s, u" hWND 3 = Options (hidden)"_s};
    EXPECT_EQ(click("cmdWindows"), expected);
    // Closing hides the window and keeps the lines.
    window.show();
    EXPECT_EQ(click("cmdSchliessen"), expected);
    EXPECT_TRUE(window.isHidden());
}

TEST_F(DiagnoseTest, TargetListShowsThePersistentDrawingFlagInPlaceOfTheWindowList)
{
    click("cmdWindows");
    EXPECT_EQ(click("cmdScheibenAutoRedraw"),
        (QStringList {u" Scheiben 1 = Scheibe (True)"_s, u" Scheiben 2 = Scheibe (False)"_s}));
    // Without targets the list stays empty.
    source.targets.clear();
    EXPECT_TRUE(click("cmdScheibenAutoRedraw").isEmpty());
}

} // namespace
