#pragma once

#include "options/OptionsCloseView.h"
#include "options/WorkingCopies.h"

#include <QHash>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class OptionsHost;
class OptionsUi;
class QAbstractButton;
class QCheckBox;
struct OptionsControls;

// The options dialog: a top-level tool window loaded once, on its first
// opening, and hidden (not unloaded) by OptionSchliessen. Its controls carry
// the objectNames the rest of the program and the tests know them by.
//
// Activation counts the way it does between the program's own windows: a
// modal box or file dialog on top of it, or another application taking the
// focus, neither deactivates nor (on return) re-activates it.
class Options : public QWidget, private OptionsCloseView {
    Q_OBJECT
public:
    // Runs the loading steps.
    explicit Options(OptionsHost& host, QWidget* parent = nullptr);
    ~Options() override;

    // The dialog became the active window: texts, folders, ranking and
    // advertising fields are read anew, the frame's four timers stop.
    void aktivieren();
    // It lost the activation: page flipping and polling run again.
    void deaktivieren();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setNummerierungEnabled(bool enabled) override;
    void beforeRebuild() override;
    void hideDialog() override;

    void laden();
    void connectControls();
    void connectSteppers();
    void connectChoices();
    void connectFolders();

    // Check boxes and radio buttons run their click handling for an
    // operator's click and, while the dialog sets them itself, for every
    // change of state. A check box hands its handler the value it stands for.
    void onCheckBox(QCheckBox* box, std::function<void(int)> handler);
    void onRadio(QAbstractButton* radio, std::function<void()> handler);
    void setCheck(QAbstractButton* radio, bool checked);
    // A check box shows the value of its key: 0 clear, 1 ticked. Any other
    // value (FreieWerbung = 2 means advertising off) greys the box, which
    // stands for that value until the operator clicks it, so that opening and
    // closing the dialog hands the key back as it was.
    void setBox(QCheckBox* box, int value);
    int boxValue(const QCheckBox* box) const;

    void showWorkingCopies();
    void showSightingColour();
    void showPage(QWidget* page);
    void pickSourceFolder();
    void addPicture();
    void deletePicture();
    void OptionSchliessen_Click();
    OptionsControls readControls() const;

    bool takesActivation(QWidget* window) const;

    OptionsHost& m_host;
    std::unique_ptr<OptionsUi> m_ui;
    WorkingCopies m_copies;
    std::uint32_t m_farbe = 0;
    QHash<const QCheckBox*, std::function<void(int)>> m_boxHandlers;
    QHash<const QCheckBox*, int> m_greyedValues;
    bool m_active = false;
    bool m_settingControls = false;
    bool m_unloading = false;
};
