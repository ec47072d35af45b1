#include "exchange/Austausch.h"

#include "exchange/ExchangeCodes.h"
#include "exchange/FileHandshake.h"
#include "exchange/MessageFileNames.h"
#include "platform/FileLookup.h"

namespace {

enum class Action { Send, Receive, Unknown };

Action laneAction(int direction)
{
    switch (direction) {
    case 1:
    case 3:
    case 4:
        return Action::Send;
    case 2:
        return Action::Receive;
    default:
        return Action::Unknown;
    }
}

Action rankingAction(int direction)
{
    switch (direction) {
    case 1:
        return Action::Send;
    case 2:
        return Action::Receive;
    default:
        return Action::Unknown;
    }
}

std::uint8_t exchange(
    QString& value, int enable, const QString& directory, const QString& name, Action action, ReceiveFault* fault)
{
    if (enable != 1)
        return ExchangeCode::Done;
    const QString basePath = FileLookup::join(directory, name);
    switch (action) {
    case Action::Send:
        return DateiSenden(value, basePath);
    case Action::Receive:
        return DateiEmpfangen(value, basePath, fault);
    case Action::Unknown:
        break;
    }
    return ExchangeCode::UnknownDirection;
}

} // namespace

std::uint8_t AustauschAlt(
    QString& value, int nr, int enable, const QString& directory, int direction, int role, ReceiveFault* fault)
{
    return exchange(value, enable, directory, DateinameAlt(nr, role, direction), laneAction(direction), fault);
}

std::uint8_t AustauschRangliste(QString& value, int nr, int enable, const QString& directory, int direction, int role)
{
    return exchange(
        value, enable, directory, DateinameRangliste(nr, role, direction), rankingAction(direction), nullptr);
}

std::uint8_t Austausch2002(
    QString& value, int a, int b, int enable, const QString& directory, int direction, int role, ReceiveFault* fault)
{
    return exchange(value, enable, directory, Dateiname2002(a, b, role, direction), laneAction(direction), fault);
}

std::uint8_t Austausch2002Server2(
    QString& value, int a, int b, int enable, const QString& directory, int direction, int role, ReceiveFault* fault)
{
    return exchange(
        value, enable, directory, Dateiname2002Server2(a, b, role, direction), laneAction(direction), fault);
}
