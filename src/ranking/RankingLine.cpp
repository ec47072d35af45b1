#include "ranking/RankingLine.h"

#include "platform/VbNumbers.h"

#include <cmath>

RankingLine::RankingLine(QStringView line)
{
    qsizetype start = 0;
    for (int k = 0; k < FieldCount; ++k) {
        const qsizetype separator = line.indexOf(QLatin1Char(';'), start);
        if (separator < 0) {
            m_fields[k] = line.mid(start).toString();
            break;
        }
        m_fields[k] = line.mid(start, separator - start).toString();
        start = separator + 1;
    }
}

QString RankingLine::field(int k) const
{
    if (k < 1 || k > FieldCount)
        return {};
    return m_fields[k - 1];
}

int RankingLine::shotCount() const
{
    return shotCount(m_fields[ShotCountField - 1]);
}

int RankingLine::shotCount(QStringView field8)
{
    const double value = VbNumbers::val(field8);
    if (!std::isfinite(value))
        return 0;
    return VbNumbers::toInt16(value).value_or(0);
}
