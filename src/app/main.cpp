#include "platform/FirstPaintWatch.h"
#include "platform/QtDialogs.h"
#include "platform/StopRequests.h"
#include "shell/FrameStop.h"
#include "shell/frmMDI.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtDialogs::install();
    // Listening before the frame loads: its load may already wait in a box.
    StopRequests stopRequests;
    FrameStop frameStop;
    QObject::connect(&stopRequests, &StopRequests::stopRequested, &frameStop, &FrameStop::request);
    frmMDI frame;
    // The start-up benchmark reads the moment of the first painted frame.
    std::unique_ptr<FirstPaintWatch> firstPaint;
    if (qEnvironmentVariableIsSet("OMR_REPORT_FIRST_PAINT")) {
        firstPaint = std::make_unique<FirstPaintWatch>(frame, [](std::int64_t at) {
            std::printf("first-paint %lld\n", static_cast<long long>(at));
            std::fflush(stdout);
        });
    }
    frame.show();
    frameStop.setFrame(frame);
    return app.exec();
}
