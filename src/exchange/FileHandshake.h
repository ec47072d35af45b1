#pragma once

#include <QString>

#include <cstdint>

class ExchangeFolder;

// The two halves of the file handshake. A message for base path B is the data
// file B.nrt plus the control file B.ctl that flags it; both hold the value as
// one quoted field. The control file is found whatever the letter case the
// other side gave it.

// Writes B.nrt, closes it, then creates B.ctl. Returns 2 without writing while
// B.ctl still exists, 3 when a file operation fails, else 0.
std::uint8_t DateiSenden(const QString& value, const QString& basePath);

// Why a receive gave 3: the file it failed on and what failed, so that the
// fault can be written down although the message itself is passed over.
struct ReceiveFault {
    QString file;
    QString what;
};

// When B.ctl exists: reads one field of B.nrt, closes it, deletes B.ctl and
// returns 0 with the field in value. Returns 2 when no control file waits and 3
// when a file operation fails or the folder cannot be reached (described in
// fault when one is given); value is only changed when 0 is returned.
std::uint8_t DateiEmpfangen(QString& value, const QString& basePath, ReceiveFault* fault = nullptr);

// The same for the message baseName in a folder listed once for the whole
// tick: the listing tells whether the control file waits.
std::uint8_t DateiEmpfangen(
    QString& value, ExchangeFolder& folder, const QString& baseName, ReceiveFault* fault = nullptr);
