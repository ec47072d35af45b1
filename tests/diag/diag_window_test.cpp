#include "diag/DiagnosticsSource.h"
#include "diag/frmDiagnose.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class FakeSource : public DiagnosticsSource {
public:
    QList<Window> loadedWindows() const override { return windows; }
    QList<Target> targetWindows() const override { return targets; }

    QList<Window> windows;
    QList<Target> targets;
};

// A frame with 8 targets, the hidden options dialog and this window.
FakeSource frameWithEightTargets()
{
    FakeSource source;
    source.windows.append({QStringLiteral("frmMDI"), true});
    source.windows.append({QStringLiteral("frmDiagnose"), true});
    for (int i = 1; i <= 8; ++i) {
        source.windows.append({QStringLiteral("Scheibe"), i <= 6});
        source.targets.append({QStringLiteral("Scheibe"), i % 2 == 1});
    }
    source.windows.append({QStringLiteral("frmRangliste"), false});
    source.windows.append({QStringLiteral("frmWerbung"), false});
    source.windows.append({QStringLiteral("Options"), false});
    return source;
}

QStringList lines(const QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

class DiagnoseTest : public ::testing::Test {
protected:
    FakeSource source = frameWithEightTargets();
    frmDiagnose window {source};
    QListWidget* list = window.findChild<QListWidget*>(QStringLiteral("lstParameter"));
    QPushButton* button(const char* name)
    {
        auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { button(name)->click(); }
};

TEST_F(DiagnoseTest, ControlsAndCaptions)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("frmDiagnose"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Diagnose"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0);
    auto* frame = window.findChild<QGroupBox*>(QStringLiteral("fraParameter"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Parameter"));
    for (const auto& [name, caption] : {std::pair {"cmdWindows", "Aktive Fenster"},
             {"cmdScheibenAutoRedraw", "Scheiben AutoRedraw"}, {"cmdSchliessen", "schliessen"}})
        EXPECT_EQ(button(name)->text(), QLatin1String(caption));
}

TEST_F(DiagnoseTest, WindowListCountsEveryWindowOnceAndStaysWhenClosed)
{
    click("cmdWindows");
    const QStringList shown = lines(list);
    ASSERT_EQ(shown.size(), 14);
    EXPECT_EQ(shown[0], QStringLiteral(" Forms.Count = 13"));
    EXPECT_EQ(shown[1], QStringLiteral(" hWND 0 = frmMDI (shown)"));
    EXPECT_EQ(shown[2], QStringLiteral(" hWND 1 = frmDiagnose (shown)"));
    EXPECT_EQ(shown[3], QStringLiteral(" hWND 2 = Scheibe (shown)"));
    EXPECT_EQ(shown[10], QStringLiteral(" hWND 9 = Scheibe (hidden)"));
    EXPECT_EQ(shown[13], QStringLiteral(" hWND 12 = Options (hidden)"));

    // Closing hides the window and keeps the lines.
    window.show();
    click("cmdSchliessen");
    EXPECT_TRUE(window.isHidden());
    window.show();
    EXPECT_EQ(list->count(), 14);
}

TEST_F(DiagnoseTest, TargetListShowsThePersistentDrawingFlag)
{
    click("cmdWindows");
    click("cmdScheibenAutoRedraw");
    const QStringList shown = lines(list);
    ASSERT_EQ(shown.size(), 8);
    EXPECT_EQ(shown[0], QStringLiteral(" Scheiben 1 = Scheibe (True)"));
    EXPECT_EQ(shown[1], QStringLiteral(" Scheiben 2 = Scheibe (False)"));
    EXPECT_EQ(shown[7], QStringLiteral(" Scheiben 8 = Scheibe (False)"));

    // Without targets the list stays empty.
    source.targets.clear();
    click("cmdScheibenAutoRedraw");
    EXPECT_EQ(list->count(), 0);
}

} // namespace
