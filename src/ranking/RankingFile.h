#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The ranking file that the evaluation software publishes in the KORVU
// directory: one shooter per line, fields separated by ";".
namespace RankingFile {

// dir + "HRang" + server id in plain decimal + ".csv".
QString fileName(const QString& korvuPfad, int vtxServerId);

// The file's items by the free-format list-reading rule: an item ends at a
// comma or a line end (CR LF, CR or LF); blanks before an item are skipped;
// an item that begins with a double quote runs to the next double quote,
// which may lie beyond commas, semicolons and line ends, and is stored
// without the quotes, the rest up to the next comma or line end being
// dropped. Blanks at the end of an unquoted item stay part of it, so fields
// keep every character as the file has it. An empty line gives an empty item;
// the line end after the last item does not. Bytes are in the system's ANSI
// code page.
QStringList readItems(const QByteArray& bytes);

// The items of the file at path (looked up ignoring letter case), or nullopt
// when there is no such file or it cannot be read.
std::optional<QStringList> read(const QString& path);

} // namespace RankingFile
