#pragma once

#include "exchange/ExchangeCodes.h"
#include "exchange/FileHandshake.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// An exchange folder of its own with the message base "HCVS1L3" in it.
class ExchangeFolderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString base() const { return path(QStringLiteral("HCVS1L3")); }
    QString dataFile() const { return path(QStringLiteral("HCVS1L3.nrt")); }
    QString controlFile() const { return path(QStringLiteral("HCVS1L3.ctl")); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

    static void writeAll(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    static QByteArray readAll(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // Receives; the value is only changed when the message was taken.
    std::uint8_t receive(QString& value) const { return DateiEmpfangen(value, base()); }
    QString received() const
    {
        QString value;
        EXPECT_EQ(receive(value), ExchangeCode::Done);
        return value;
    }
    // Receives and expects the message to stay waiting.
    void expectWaiting() const
    {
        QString value = QStringLiteral("untouched");
        EXPECT_EQ(receive(value), ExchangeCode::FileError);
        EXPECT_EQ(value, QStringLiteral("untouched"));
        EXPECT_TRUE(QFile::exists(controlFile()));
    }

    QTemporaryDir dir;
};
