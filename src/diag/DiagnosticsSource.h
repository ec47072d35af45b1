#pragma once

#include <QList>
#include <QString>

// What the diagnostics window lists: the program's loaded windows in the order
// of its window list, and the entries of `Scheiben`.
class DiagnosticsSource {
public:
    struct Window {
        QString name;
        bool visible = false;
    };
    struct Target {
        QString name;
        bool autoRedraw = false;
    };

    virtual ~DiagnosticsSource() = default;
    virtual QList<Window> loadedWindows() const = 0;
    virtual QList<Target> targetWindows() const = 0;
};
