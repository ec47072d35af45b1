#include "exchange/MessageFileNames.h"

namespace {

QString numbered(const char* prefix, int nr)
{
    return QLatin1String(prefix) + QString::number(nr);
}

} // namespace

QString DateinameAlt(int nr, int role, int direction)
{
    if (role == -1)
        return numbered(direction == 1 ? "HServ" : "HSlav", nr);
    if (role == 2)
        return numbered("HAnz", nr);
    switch (direction) {
    case 1:
        return numbered("HSlav", nr);
    case 3:
        return numbered("HPlatz", nr);
    case 4:
        return numbered("HTreff", nr);
    default:
        return numbered("HServ", nr);
    }
}

QString DateinameRangliste(int nr, int role, int direction)
{
    const bool answer = (role == -1) == (direction == 1);
    return numbered(answer ? "HRang" : "HRngCS", nr);
}

QString Dateiname2002(int a, int b, int role, int direction)
{
    const bool toServer = (role == -1 && direction == 1) || (role != -1 && direction != 1);
    return numbered(toServer ? "HMVS" : "HCVS", a) + QLatin1Char('L') + QString::number(b);
}

QString Dateiname2002Server2(int a, int b, int role, int direction)
{
    return Dateiname2002(a, b, role, direction) + QStringLiteral("-1");
}
