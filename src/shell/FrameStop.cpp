#include "shell/FrameStop.h"

#include "shell/frmMDI.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

FrameStop::FrameStop(QObject* parent) : QObject(parent)
{
}

void FrameStop::setFrame(frmMDI& frame)
{
    m_frame = &frame;
    if (m_requested)
        QTimer::singleShot(0, this, &FrameStop::closeWhenIdle);
}

void FrameStop::request()
{
    m_requested = true;
    closeWhenIdle();
}

void FrameStop::closeWhenIdle()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, this, &FrameStop::closeWhenIdle);
        return;
    }
    if (m_frame)
        m_frame->close();
}
