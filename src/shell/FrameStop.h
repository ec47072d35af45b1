#pragma once

#include <QObject>
#include <QPointer>

class frmMDI;

// Closes the main frame the normal way (its shut-down saves the settings) when
// the program is asked to stop from outside. A message box or dialog waiting
// in a loop of its own is dismissed first and the frame closes once that loop
// has returned, for the code below the box (a polling tick, the frame's load)
// still uses the windows the shut-down releases. A request that comes while
// the frame is still loading closes it as soon as it is handed over.
class FrameStop : public QObject {
    Q_OBJECT
public:
    explicit FrameStop(QObject* parent = nullptr);

    void setFrame(frmMDI& frame);
    void request();
    bool isRequested() const { return m_requested; }

private:
    void closeWhenIdle();

    QPointer<frmMDI> m_frame;
    bool m_requested = false;
};
