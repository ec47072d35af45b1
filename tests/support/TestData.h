#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

// Tables, scenarios and expected outputs kept as data files under tests/, so
// that a case is a line of data with its expectation beside it.
namespace TestData {

inline QString path(const QString& name)
{
    return QDir(qEnvironmentVariable("OMR_SOURCE_DIR")).filePath(QStringLiteral("tests/") + name);
}

inline QByteArray read(const QString& name)
{
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path(name));
    return file.readAll();
}

// A line that is neither blank nor a comment ('#' first), trimmed; where is
// file:line for the failure message. Cells: the line split at '|', trimmed,
// a cell in double quotes keeping its blanks.
struct Line {
    std::string where;
    QString text;
    QStringList cells;

    QString cell(int i) const { return cells.value(i); }
    int number(int i) const { return cells.value(i).toInt(); }
    double real(int i) const { return cells.value(i).toDouble(); }
};

inline QList<Line> lines(const QString& name)
{
    QList<Line> result;
    const QList<QByteArray> all = read(name).split('\n');
    for (qsizetype i = 0; i < all.size(); ++i) {
        Line line {(name + u':' + QString::number(i + 1)).toStdString(), QString::fromUtf8(all[i]).trimmed(), {}};
        if (line.text.isEmpty() || line.text.startsWith(u'#'))
            continue;
        static const QRegularExpression quoted(
            QStringLiteral("^\"(.*)\"$"), QRegularExpression::DotMatchesEverythingOption);
        for (const QString& cell : line.text.split(u'|'))
            line.cells.append(cell.trimmed().replace(quoted, QStringLiteral("\\1")));
        result.append(line);
    }
    return result;
}

// The numbers of a cell, separated by blanks.
inline QList<double> numbers(const QString& text)
{
    QList<double> result;
    for (const QString& number : text.split(u' ', Qt::SkipEmptyParts))
        result.append(number.toDouble());
    return result;
}

// The bytes a cell stands for: \r, \n, \t, \", \\ and \xHH escaped.
inline QByteArray unescape(QString text)
{
    for (const auto& [from, to] : {std::pair {"%", "%25"}, {"\\\\", "%5C"}, {"\\\"", "%22"}, {"\\r", "%0D"},
             {"\\n", "%0A"}, {"\\t", "%09"}, {"\\x", "%"}})
        text.replace(QLatin1String(from), QLatin1String(to));
    return QByteArray::fromPercentEncoding(text.toUtf8());
}

// Compares actual with the committed expected file of that name. With
// OMR_REGENERATE set the file is written anew instead: only on purpose, and
// the difference is read before it is committed.
inline void expectPinned(const QString& name, const QString& actual)
{
    QFile file(path(name));
    if (qEnvironmentVariableIsSet("OMR_REGENERATE") && file.open(QIODevice::WriteOnly))
        file.write(actual.toUtf8());
    else
        EXPECT_EQ(QString::fromUtf8(read(name)).toStdString(), actual.toStdString()) << qPrintable(name);
}

} // namespace TestData
