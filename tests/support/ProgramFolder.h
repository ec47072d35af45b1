#pragma once

#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "support/TestDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test runs in a program folder of its own with a freshly started
// program state and no boxes recorded yet.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramState::reset();
        TestDialogs::clear();
        ProgramInfo::setDirectoryForTest(dir());
    }
    void TearDown() override
    {
        ProgramInfo::setDirectoryForTest(QString());
        ProgramState::reset();
    }

    static QString native(const QString& path) { return QDir::toNativeSeparators(path); }
    QString dir() const { return native(m_dir.path()); }
    QString file(const QString& name) const { return native(QDir(m_dir.path()).filePath(name)); }
    bool exists(const QString& name) const { return QFileInfo::exists(file(name)); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    static ProgramState& state() { return ProgramState::instance(); }
    static Einstellungen& s() { return ProgramState::instance().settings; }

private:
    QTemporaryDir m_dir;
};
