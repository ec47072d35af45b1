#pragma once

#include <QString>
#include <QStringView>

#include <array>

// One line of the ranking file split into its 20 fields (numbered from 1).
//
// Fields are the text between the ";" separators exactly as it stands. The
// 20th field runs to the next ";" or to the end of the line; anything after a
// 20th separator is dropped. A line with fewer than 20 fields is outside the
// file format: its last field runs to the end of the line and the fields it
// lacks are empty.
class RankingLine {
public:
    static constexpr int FieldCount = 20;
    // Field 8: the number of shots fired.
    static constexpr int ShotCountField = 8;

    explicit RankingLine(QStringView line);

    // k = 1 .. 20; any other k gives an empty text.
    QString field(int k) const;

    // Field 8 read by the list-reading number rule and rounded half to even.
    // A value outside -32768 .. 32767 (outside the file format) counts as 0.
    int shotCount() const;

    static int shotCount(QStringView field8);

private:
    std::array<QString, FieldCount> m_fields;
};
