#include "exchange/SatzZerlegen.h"

#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"

#include <array>
#include <optional>

namespace {

// Only blanks count, as the record's grammar says; tabs stay part of a tag.
QString trimBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first).toString();
}

// The leading decimal number of a field, blanks anywhere skipped, rounded
// halves to even. A value beyond 32 bits cannot be held: nullopt.
std::optional<std::int32_t> fieldNumber(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            compact.append(c);
    }
    return VbNumbers::toInt32(VbNumbers::leadingNumber(compact));
}

bool tagIs(QStringView text, char tag)
{
    return trimBlanks(text).toUpper() == QString(QLatin1Char(tag));
}

// Cuts the record field by field; false at the first break of the grammar.
bool cutFields(const QString& satz, std::int32_t& A, std::int32_t& S, std::int32_t& L, std::int32_t& B, QString& N)
{
    const std::array<std::pair<char, std::int32_t*>, 4> numeric {{{'A', &A}, {'S', &S}, {'L', &L}, {'B', &B}}};
    qsizetype position = 0;
    for (const auto& [tag, target] : numeric) {
        const qsizetype hash = satz.indexOf(QLatin1Char('#'), position);
        if (hash < 0 || !tagIs(QStringView(satz).mid(position, hash - position), tag))
            return false;
        // The number stops at the ";" anyway, so a field whose ";" is missing
        // still yields its value before the record is refused.
        const qsizetype semicolon = satz.indexOf(QLatin1Char(';'), hash + 1);
        const qsizetype end = semicolon < 0 ? satz.size() : semicolon;
        const auto number = fieldNumber(QStringView(satz).mid(hash + 1, end - hash - 1));
        if (!number)
            return false;
        *target = *number;
        if (semicolon < 0)
            return false;
        position = semicolon + 1;
    }
    const qsizetype hash = satz.indexOf(QLatin1Char('#'), position);
    if (hash < 0 || !tagIs(QStringView(satz).mid(position, hash - position), 'N'))
        return false;
    N = trimBlanks(QStringView(satz).mid(hash + 1));
    return true;
}

bool zerlegen(const QString& satz, std::int32_t& A, std::int32_t& S, std::int32_t& L, std::int32_t& B, QString& N)
{
    A = 0;
    S = 0;
    L = 0;
    B = 0;
    N.clear();
    if (cutFields(satz, A, S, L, B, N))
        return true;
    Dialogs::showMessage(Dialogs::Icon::Exclamation, QStringLiteral("Syntax Error !"), satz);
    return false;
}

} // namespace

void SatzZerlegen(const QString& satz, std::int32_t& A, std::int32_t& S, std::int32_t& L, std::int32_t& B, QString& N)
{
    zerlegen(satz, A, S, L, B, N);
}

LaneMessage SatzZerlegen(const QString& satz)
{
    LaneMessage message;
    message.wellFormed = zerlegen(satz, message.A, message.S, message.L, message.B, message.N);
    return message;
}

LaneMessage splitLaneRecord(const QString& satz)
{
    LaneMessage message;
    message.wellFormed = cutFields(satz, message.A, message.S, message.L, message.B, message.N);
    return message;
}
