#pragma once

#include <QString>

#include <cstdint>
#include <variant>

// A value that may hold nothing, a whole number, a floating-point number or a
// text, as the definition records and the results file carry them. An empty
// value compares equal to the empty text and counts as 0.
class TaggedValue {
public:
    TaggedValue() = default;
    TaggedValue(std::int32_t value) : m_value(value) { }
    TaggedValue(double value) : m_value(value) { }
    TaggedValue(const QString& text) : m_value(text) { }
    TaggedValue(const char*) = delete;

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return isInteger() || std::holds_alternative<double>(m_value); }
    bool isInteger() const { return std::holds_alternative<std::int32_t>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }

    // Number value: empty gives 0, a text its leading number.
    double toDouble() const;
    // Text value: empty gives "", numbers their shortest decimal text.
    QString toString() const;
    // True for any number other than 0 (a sighting flag holds -1 when true).
    bool toBool() const;

    bool operator==(const TaggedValue& other) const;

private:
    std::variant<std::monostate, std::int32_t, double, QString> m_value;
};
