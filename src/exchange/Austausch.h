#pragma once

#include "exchange/FileHandshake.h"

#include <QString>

#include <cstdint>

// The dispatch operations of the file handshake: build the base path
// directory + name, then send (directions 1, 3, 4; ranking: 1) or receive
// (direction 2). An enable argument other than 1 does nothing and returns 0;
// a direction the operation does not handle returns 4. Otherwise the result of
// DateiSenden / DateiEmpfangen. A receive that gives 3 describes its fault in
// fault when one is given.

std::uint8_t AustauschAlt(QString& value, int nr, int enable, const QString& directory, int direction, int role,
    ReceiveFault* fault = nullptr);
std::uint8_t AustauschRangliste(QString& value, int nr, int enable, const QString& directory, int direction, int role);
std::uint8_t Austausch2002(QString& value, int a, int b, int enable, const QString& directory, int direction, int role,
    ReceiveFault* fault = nullptr);
std::uint8_t Austausch2002Server2(QString& value, int a, int b, int enable, const QString& directory, int direction,
    int role, ReceiveFault* fault = nullptr);
