#pragma once

#include "platform/FileLookup.h"
#include "shell/ProgramState.h"
#include "target/TargetModel.h"
#include "target/TargetZoom.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ostream>

// Kind and value, e.g. "int 8", "double 9.5", "text abc" or "empty".
inline QString describe(const TaggedValue& value)
{
    const char* kind = value.isText() ? "text" : value.isInteger() ? "int" : value.isNumber() ? "double" : "empty";
    return value.isEmpty() ? QStringLiteral("empty") : QLatin1String(kind) + u' ' + value.toString();
}

inline QString describe(std::initializer_list<TaggedValue> values)
{
    QStringList all;
    for (const TaggedValue& value : values)
        all.append(describe(value));
    return all.join(u'|');
}

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const TaggedValue& value, std::ostream* os)
{
    *os << describe(value).toStdString();
}

inline QString writeTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

inline QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The target fields in the order they are declared (and stand in a results file).
inline TaggedValue ScheibenDaten::*const kScheibeFelder[] = {&ScheibenDaten::Bezeichnung, &ScheibenDaten::ScheibenArt,
    &ScheibenDaten::KennNummer, &ScheibenDaten::AussenRadius, &ScheibenDaten::SpiegelRadius,
    &ScheibenDaten::ZehnerRadius, &ScheibenDaten::ZehnerRingStyle, &ScheibenDaten::InnenZehnerRadius,
    &ScheibenDaten::InnenZehnerRingStyle, &ScheibenDaten::InnenKreuzRadius, &ScheibenDaten::InnenKreuzWinkel,
    &ScheibenDaten::VorhalteSpiegelRadius, &ScheibenDaten::VorhalteAbstand, &ScheibenDaten::Ringbreite,
    &ScheibenDaten::RingMin, &ScheibenDaten::RingMax, &ScheibenDaten::RingAnzahl, &ScheibenDaten::RingNummerWinkel,
    &ScheibenDaten::KartonBreite, &ScheibenDaten::KartonHoehe, &ScheibenDaten::Probe, &ScheibenDaten::BandVorschub,
    &ScheibenDaten::HinterGrundBildDatei, &ScheibenDaten::ZoomZentrumX, &ScheibenDaten::ZoomZentrumY,
    &ScheibenDaten::ZoomLevels, &ScheibenDaten::OffsetX, &ScheibenDaten::OffsetY, &ScheibenDaten::DateiName};
// Field numbers of the three texts among them.
inline bool isScheibeText(int n)
{
    return n == 0 || n == 22 || n == 28;
}

// A test with a folder of its own for the files it writes.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return FileLookup::join(m_dir.path(), name); }
    QString write(const QString& name, const QByteArray& bytes) const { return writeTestFile(path(name), bytes); }

    QTemporaryDir m_dir;
};

// A target face built in code: ten rings 40 units wide from a ten of radius
// 20 (circles at 20, 60, ..., 380), black up to 180, numbers 1 to 8, a card
// 1000 units wide, shot marks of radius 20.
inline TargetModel viewTestTarget()
{
    TargetModel model;
    ScheibenDaten& s = model.records.Scheibe;
    s.AussenRadius = TaggedValue(380.0);
    s.SpiegelRadius = TaggedValue(180.0);
    s.ZehnerRadius = TaggedValue(20.0);
    s.ZehnerRingStyle = TaggedValue(0.0);
    s.InnenZehnerRadius = TaggedValue(0.0);
    s.InnenZehnerRingStyle = TaggedValue(1.0);
    s.Ringbreite = TaggedValue(40.0);
    s.RingMin = TaggedValue(1.0);
    s.RingMax = TaggedValue(8.0);
    s.RingAnzahl = TaggedValue(10.0);
    s.KartonBreite = TaggedValue(1000.0);
    s.Probe = TaggedValue(static_cast<std::int32_t>(0));
    model.records.Waffe.AnzeigeRadius = TaggedValue(20.0);
    model.records.Wettbewerb.Serienlaenge = TaggedValue(10.0);
    model.records.Wettbewerb.SchussZahl = TaggedValue(40.0);
    model.records.Wettbewerb.Wertung = TaggedValue(1.0);
    model.VolleBreite = 1000;
    model.SichtBreite = 1000;
    TargetZoom::Scheibe_ZoomBerechnen(model); // Rand 50, card 900, centre 500
    return model;
}

// Shots 0..count-1 in the current set, shot i at (10 i, -10 i) with ring value
// 10 - i / 10.
inline void viewTestShots(TargetModel& model, int count)
{
    SchussSatz& satz = model.records.AktuellerSatz;
    for (int i = 0; i < count; ++i) {
        satz.PosX[static_cast<std::size_t>(i)] = static_cast<float>(10 * i);
        satz.PosY[static_cast<std::size_t>(i)] = static_cast<float>(-10 * i);
        satz.Ringwert[static_cast<std::size_t>(i)] = 10.0f - static_cast<float>(i) / 10.0f;
    }
    satz.LetzterIndex = static_cast<float>(count - 1);
    satz.SchussNummer = static_cast<float>(count);
}

// The code-built face with fresh program state, for tests of the view.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        QLocale::setDefault(QLocale::c());
        model = viewTestTarget();
    }
    static Einstellungen& settings() { return ProgramState::instance().settings; }

    TargetModel model;
};
