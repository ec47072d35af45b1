#pragma once

#include <QByteArray>
#include <QString>

// 8-bit code pages of the text files this program reads and writes.
namespace TextCodec {

QString decode(const QByteArray& bytes, const QByteArray& codePage = QByteArrayLiteral("windows-1252"));
QByteArray encode(const QString& text, const QByteArray& codePage = QByteArrayLiteral("windows-1252"));

// The code page in which texts of a Windows font character-set number are
// written (0 and 1 -> windows-1252, 204 -> windows-1251, 128 -> Shift_JIS,
// 162 -> windows-1254, 161 -> windows-1253, 238 -> windows-1250, ...).
// Unknown numbers give windows-1252.
QByteArray codePageForCharset(int charset);

} // namespace TextCodec
