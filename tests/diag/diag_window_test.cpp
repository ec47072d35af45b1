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
    void click(const char* name) { window.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
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
    const std::pair<const char*, const char*> buttons[] = {{"cmdWindows", "Aktive Fenster"},
        {"cmdScheibenAutoRedraw", "Scheiben AutoRedraw"}, {"cmdSchliessen", "schliessen"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromLatin1(caption));
    }
}

TEST_F(DiagnoseTest, WindowListCountsEveryWindowOnce)
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
}

TEST_F(DiagnoseTest, EmptyTargetListLeavesTheListEmpty)
{
    click("cmdWindows");
    source.targets.clear();
    click("cmdScheibenAutoRedraw");
    EXPECT_EQ(list->count(), 0);
}

TEST_F(DiagnoseTest, CloseHidesAndKeepsTheLines)
{
    window.show();
    click("cmdWindows");
    click("cmdSchliessen");
    EXPECT_TRUE(window.isHidden());
    window.show();
    EXPECT_EQ(list->count(), 14);
}

} // namespace
