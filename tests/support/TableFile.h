#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <string>
#include <vector>

// A rule table kept as data in tests/tables/<name>.txt: one case per line,
// cells separated by "|" and trimmed; blank lines and lines starting with #
// are skipped. A row knows its line, for the failure message.
struct TableRow {
    std::string where;
    QStringList cells;

    QString text(int i) const { return cells.value(i); }
    int number(int i) const { return cells.value(i).toInt(); }
    double real(int i) const { return cells.value(i).toDouble(); }
};

inline std::vector<TableRow> tableRows(const QString& name)
{
    const QString path = QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + QStringLiteral("/tests/tables/") + name
        + QStringLiteral(".txt");
    QFile file(path);
    std::vector<TableRow> rows;
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no table " << path.toStdString();
        return rows;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList cells = line.split(QLatin1Char('|'));
        for (QString& cell : cells)
            cell = cell.trimmed();
        rows.push_back({(name + QStringLiteral(".txt:") + QString::number(n + 1)).toStdString(), cells});
    }
    EXPECT_FALSE(rows.empty()) << path.toStdString();
    return rows;
}
