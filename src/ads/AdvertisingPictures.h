#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// The advertising pictures of one directory: the files matching
// "hb_0_*.bmp;hb_0_*.jpg" (letter case ignored), sorted by name, read once
// when bound. Also the rotation through them by the byte-wide position
// WerbeBildNr.
//
// A byte counts to 255, so only the first 256 pictures in name order take
// part in the rotation; after position 255 it starts over at 0. A position
// that lies beyond the list (the list was read anew with fewer pictures)
// starts over at 0 as well.
class AdvertisingPictures {
public:
    static constexpr int maxRotation = 256;

    // Whether a file name matches the advertising pattern.
    static bool matchesPattern(const QString& fileName);

    // Reads the matching regular files of dir; an unreadable directory gives
    // an empty list.
    void bind(const QString& dir);

    const QString& directory() const { return m_directory; }
    const QStringList& names() const { return m_names; }
    int count() const { return int(m_names.size()); }
    // Directory and the entry at position i.
    QString filePath(int i) const;

    // Number of positions the rotation visits.
    int rotationLength() const;
    // The position after current, wrapping to 0 at the end of the rotation.
    std::uint8_t nextPosition(std::uint8_t current) const;

    // The picture step of Werbung_Laden: offers the file at position to show,
    // and when show refuses it (deleted or damaged file) the following ones,
    // at most one pass through the rotation. Returns the file shown; position
    // then names the picture after it. When no file is shown, position moves
    // on by one as after a normal step and nullopt is returned; with an empty
    // list nothing changes.
    std::optional<QString> showNext(std::uint8_t& position, const std::function<bool(const QString&)>& show) const;

private:
    QString m_directory;
    QStringList m_names;
};
