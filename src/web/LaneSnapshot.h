#pragma once

#include "shell/Einstellungen.h"
#include "target/TargetModel.h"

#include <QPalette>
#include <QSize>

// One lane's state as a plain value, taken on the user-interface thread and
// handed to the web server's thread: the window's model, the settings and
// colours it is drawn with, and the window's size.
struct LaneSnapshot {
    int lane = 0;
    TargetModel model;
    Einstellungen settings;
    QPalette palette;
    QSize window;
};
