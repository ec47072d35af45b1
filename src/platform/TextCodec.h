#pragma once

#include <QByteArray>
#include <QString>

// 8-bit code pages of the text files this program reads and writes.
namespace TextCodec {

// The system's ANSI code page, in which every file without a code page of its
// own is read and written: on Windows the one the system is set to, elsewhere
// windows-1252.
QByteArray ansiCodePage();
// Replaces the system's answer until called again with an empty name.
void setAnsiCodePageForTest(const QByteArray& codePage);

QString decode(const QByteArray& bytes, const QByteArray& codePage = ansiCodePage());
QByteArray encode(const QString& text, const QByteArray& codePage = ansiCodePage());

// The code page in which texts of a Windows font character-set number are
// written (0 -> windows-1252, 204 -> windows-1251, 128 -> Shift_JIS,
// 162 -> windows-1254, 161 -> windows-1253, 238 -> windows-1250, ...).
// 1 (the default character set) and unknown numbers give the ANSI code page.
QByteArray codePageForCharset(int charset);

} // namespace TextCodec
