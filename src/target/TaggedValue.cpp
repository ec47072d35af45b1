#include "target/TaggedValue.h"

#include "platform/VbNumbers.h"

double TaggedValue::toDouble() const
{
    if (const auto* i = std::get_if<std::int32_t>(&m_value))
        return *i;
    if (const auto* d = std::get_if<double>(&m_value))
        return *d;
    if (const auto* t = std::get_if<QString>(&m_value))
        return VbNumbers::leadingNumber(*t);
    return 0;
}

QString TaggedValue::toString() const
{
    if (const auto* t = std::get_if<QString>(&m_value))
        return *t;
    if (isNumber())
        return VbNumbers::toText(toDouble());
    return QString();
}

bool TaggedValue::toBool() const
{
    if (const auto* t = std::get_if<QString>(&m_value)) {
        // Flags that travelled through a text field keep their meaning.
        const QString trimmed = t->trimmed();
        if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
            || trimmed.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
            return true;
        if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
            || trimmed.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0;
}

bool TaggedValue::operator==(const TaggedValue& other) const
{
    // Whole and floating-point numbers compare by value; an empty value
    // stands for both the empty text and 0; a text never equals a number.
    if (isEmpty() && other.isEmpty())
        return true;
    if (isEmpty() || other.isEmpty()) {
        const TaggedValue& filled = isEmpty() ? other : *this;
        if (filled.isText())
            return std::get<QString>(filled.m_value).isEmpty();
        return filled.toDouble() == 0;
    }
    if (isNumber() && other.isNumber())
        return toDouble() == other.toDouble();
    if (isText() && other.isText())
        return std::get<QString>(m_value) == std::get<QString>(other.m_value);
    return false;
}
