#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>

// A program folder of its own for a benchmark or the soak: the shipped
// definition and language files, a settings file for a range of lanes, the
// exchange and ranking folders, and a screen for the offscreen platform.
class RangeFolder {
public:
    // What the settings file sets; the other keys keep their defaults, which
    // mark only the latest shot.
    struct Range {
        int lanes = 8;
        // Targets per page; 0 shows all lanes on one screen.
        int perPage = 0;
        // Seconds per page.
        int wechselzeit = 60;
    };

    // Created in parent, or in the system's temporary folder.
    explicit RangeFolder(const QString& parent = QString());

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString exchange() const;
    QString ranking() const;

    // Copies the definition and language files of dataDir and writes the
    // settings file (lanes alternate between air rifle 1.10 and air pistol
    // 2.10, as the simulator's do).
    bool prepare(const QString& dataDir, const Range& range);
    // Writes a description of one screen of that size at 96 DPI and returns
    // the value of QT_QPA_PLATFORM that puts the offscreen platform on it.
    QString offscreenPlatform(QSize screen) const;

private:
    bool writeSettings(const Range& range) const;

    QTemporaryDir m_dir;
};
