#pragma once

#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test runs in a program folder of its own with a freshly started
// program state.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramState::reset();
        ProgramInfo::setDirectoryForTest(m_dir.path());
    }
    void TearDown() override
    {
        ProgramInfo::setDirectoryForTest(QString());
        ProgramState::reset();
    }

    QString dir() const { return m_dir.path(); }
    QString file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ProgramState& state() const { return ProgramState::instance(); }

private:
    QTemporaryDir m_dir;
};
