#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// The command line of omr_soak.
struct SoakOptions {
    double minutes = 2;
    // Where the memory baseline is taken; the growth is measured from there.
    double baselineMinutes = 1;
    double growthLimitPercent = 5;
    int lanes = 255;
    int perPage = 16;
    // Seconds per page: short, so that every page has been shown before the
    // baseline is taken.
    int wechselzeit = 3;
    // Interval of the polling timer; the display's own is 1000 ms.
    int tickMs = 1000;
    QSize screen {1920, 1080};
    int seed = 1;
    QString simulator;
    QString folderParent;
    // The exchange and ranking folders on a network share: the exported
    // folder (the simulator writes there) and the same folder as mounted.
    QString shareServer;
    QString shareClient;
};

std::optional<SoakOptions> parseSoakOptions(const QStringList& arguments, QString& error);
QString soakUsage();
