#pragma once

#include "support/ProgramFolder.h"
#include "support/TestData.h"
#include "target/TargetModel.h"
#include "target/TargetZoom.h"

#include <QLocale>
#include <QPalette>

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

// A file of tests/target/data.
inline QString testData(const QString& name)
{
    return TestData::path(QStringLiteral("target/data/") + name);
}

// The rows of the table tests/target/data/<name>.
inline QList<TestData::Line> rows(const QString& name)
{
    return TestData::lines(QStringLiteral("target/data/") + name);
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

// The card and frame colours the pinned drawings and labels were made with.
inline QPalette viewPalette(QPalette palette = {})
{
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    return palette;
}

// Fresh program state, no message shown yet, a folder of its own for the
// files a test writes, the C locale and the test face.
class ViewTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QLocale::setDefault(QLocale::c());
        model = viewTestTarget();
    }

    TargetModel model;
};
