#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

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

    // A network share for the exchange and ranking folders: the exported
    // folder on the server's side, and the same folder as the client sees it.
    struct Share {
        QString server;
        QString client;
    };

    // Created in parent, or in the system's temporary folder. With a share,
    // only the program folder is there; the exchange and ranking folders lie
    // on the share, as on a range.
    explicit RangeFolder(const QString& parent = QString(), const std::optional<Share>& share = std::nullopt);

    bool isValid() const { return m_dir.isValid() && (!m_shared || m_shared->isValid()); }
    QString path() const { return m_dir.path(); }
    // The folders as the display sees them.
    QString exchange() const;
    QString ranking() const;
    // The same folders as the scoring system's server writes them.
    QString serverExchange() const;
    QString serverRanking() const;

    // Copies the definition and language files of dataDir and writes the
    // settings file (lanes alternate between air rifle 1.10 and air pistol
    // 2.10, as the simulator's do).
    bool prepare(const QString& dataDir, const Range& range);
    // Writes a description of one screen of that size at 96 DPI and returns
    // the value of QT_QPA_PLATFORM that puts the offscreen platform on it.
    QString offscreenPlatform(QSize screen) const;

private:
    bool writeSettings(const Range& range) const;

    QString sharedBase(bool server) const;

    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_shared;
    QString m_clientBase;
};
