#pragma once

#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "support/TestDialogs.h"
#include "target/TargetModel.h"
#include "target/TargetZoom.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Kind and value of each, e.g. "int 8|double 9.5|text abc|empty".
inline QString describe(std::initializer_list<TaggedValue> values)
{
    QStringList all;
    for (const TaggedValue& v : values) {
        const char* kind = v.isText() ? "text " : v.isInteger() ? "int " : "double ";
        all.append(v.isEmpty() ? QStringLiteral("empty") : QLatin1String(kind) + v.toString());
    }
    return all.join(u'|');
}

inline QString writeTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

inline QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file of the source tree, e.g. sourceFile("data") for the shipped definitions.
inline QString sourceFile(const QString& relative)
{
    return FileLookup::join(qEnvironmentVariable("OMR_SOURCE_DIR"), relative);
}

// A file of tests/target/data.
inline QString testData(const QString& name)
{
    return sourceFile(QStringLiteral("tests/target/data/") + name);
}

// Compares text with the committed file tests/target/expected/<name>. With
// OMR_REGENERATE set the file is written instead: look at what changed
// before committing it.
inline void expectPinned(const QString& name, const QString& text)
{
    const QString file = sourceFile(QStringLiteral("tests/target/expected/") + name);
    if (qEnvironmentVariableIsSet("OMR_REGENERATE"))
        writeTestFile(file, text.toUtf8());
    EXPECT_EQ(QString::fromUtf8(readTestFile(file)).toStdString(), text.toStdString()) << file.toStdString();
}

// The rows of the scenario file tests/target/data/<name>: a case a line, its
// fields separated by blanks (or the separator given); lines starting with
// "#" explain the columns.
inline QList<QStringList> scenario(const QString& name, QChar separator = u' ')
{
    QList<QStringList> rows;
    const QString text = QString::fromUtf8(readTestFile(testData(name)));
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'#'))
            rows.append(line.split(separator, separator == u' ' ? Qt::SkipEmptyParts : Qt::KeepEmptyParts));
    }
    EXPECT_FALSE(rows.isEmpty()) << name.toStdString();
    return rows;
}

// Discipline 1.10 of the program folder tests/target/data/program: ten rings
// 40 units wide from a ten of radius 20 (circles at 20, 60, ..., 380), black
// up to 180, numbers 1 to 8, a card 1000 units wide, shot marks of radius 20,
// 40 shots in series of 10.
inline TargetModel viewTestTarget()
{
    ProgramInfo::setDirectoryForTest(testData(QStringLiteral("program")));
    TargetModel model;
    model.LadeDisziplin(QStringLiteral("1.10"));
    return model;
}

// Shots 0..count-1 in the current set, shot i at (10 i, -10 i) with ring value
// 10 - i / 10.
inline void viewTestShots(TargetModel& model, int count)
{
    SchussSatz& satz = model.records.AktuellerSatz;
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        satz.PosX[i] = 10.0f * float(i);
        satz.PosY[i] = -10.0f * float(i);
        satz.Ringwert[i] = 10.0f - float(i) / 10.0f;
    }
    satz.LetzterIndex = float(count - 1);
    satz.SchussNummer = float(count);
}

// The marking options: X earlier shots, O as circles, G enlarged, N numbered,
// S one series, M mean point, Z automatic zoom.
inline Einstellungen& mark(const QString& options)
{
    Einstellungen& s = ProgramState::instance().settings;
    s.Trefferkreuze = options.contains(u'X');
    s.Trefferkreise = options.contains(u'O');
    s.TrefferVergroessern = options.contains(u'G');
    s.Nummeriert = options.contains(u'N');
    s.SerienAnzeige = options.contains(u'S');
    s.MittlereLage = options.contains(u'M');
    s.AutoZoom = options.contains(u'Z');
    return s;
}

// Fresh program state, no message shown yet, the C locale, a folder of its
// own for the files a test writes, and the test face.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        TestDialogs::clear();
        QLocale::setDefault(QLocale::c());
        model = viewTestTarget();
        ASSERT_TRUE(m_dir.isValid());
    }
    static Einstellungen& settings() { return ProgramState::instance().settings; }
    QString path(const QString& name) const { return FileLookup::join(m_dir.path(), name); }
    QString write(const QString& name, const QByteArray& bytes) const { return writeTestFile(path(name), bytes); }

    QTemporaryDir m_dir;
    TargetModel model;
};
