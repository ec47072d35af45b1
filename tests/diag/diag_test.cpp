#include "diag/DiagnosticsSource.h"
#include "diag/EventLog.h"
#include "diag/frmDiagnose.h"

#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FakeSource : public DiagnosticsSource {
public:
    QList<Window> loadedWindows() const override { return windows; }
    QList<Target> targetWindows() const override { return targets; }

    QList<Window> windows {{u"frmMDI"_s, true}, {u"frmDiagnose"_s, true}, {u"Scheibe"_s, false}, {u"Options"_s, false}};
    QList<Target> targets {{u"Scheibe"_s, true}, {u"Scheibe"_s, false}};
};

TEST(Diagnose, EachButtonFillsTheListAnewAndClosingKeepsIt)
{
    FakeSource source;
    frmDiagnose window {source};
    const auto click = [&window](const char* button) {
        window.findChild<QPushButton*>(QLatin1String(button))->click();
        const auto* list = window.findChild<QListWidget*>(u"lstParameter"_s);
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines.join(u'\n');
    };
    const QString windows = u" Forms.Count = 4\n hWND 0 = frmMDI (shown)\n hWND 1 = frmDiagnose (shown)\n"
                            u" hWND 2 = Scheibe (hidden)\n hWND 3 = Options (hidden)"_s;
    EXPECT_EQ(click("cmdWindows"), windows);
    window.show();
    EXPECT_EQ(click("cmdSchliessen"), windows);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(click("cmdScheibenAutoRedraw"), u" Scheiben 1 = Scheibe (True)\n Scheiben 2 = Scheibe (False)"_s);
    source.targets.clear();
    EXPECT_EQ(click("cmdScheibenAutoRedraw"), QString());
    source.windows.clear();
    EXPECT_EQ(click("cmdWindows"), u" Forms.Count = 0"_s);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(EventLog, WritesOneLineAFaultWithinItsBoundAndPassesOverWhatCannotBeWritten)
{
    QTemporaryDir dir;
    EventLog first(dir.filePath(u"a.log"_s));
    first.write(7, u"C:\\Austausch\\erg7.txt"_s, u"results file missing"_s);
    // Line ends and tabs inside a field would split the line or its columns.
    first.write(0, u"x\r\ny"_s, u"places\tfile"_s);
    // Digits masked: the time of writing and the lane number.
    EXPECT_EQ(QString::fromUtf8(contents(first.path())).replace(QRegularExpression(u"\\d"_s), u"0"_s),
        u"0000-00-00 00:00:00.000\tlane 0\tresults file missing\tC:\\Austausch\\erg0.txt\n"
        u"0000-00-00 00:00:00.000\t-\tplaces file\tx  y\n"_s);

    // Within its bound, passing over what cannot be written.
    for (const qint64 bound : {qint64(200), qint64(1000), qint64(4096)}) {
        EventLog log(dir.filePath(u"b%1.log"_s.arg(bound)), bound);
        for (int i = 0; i < 500; ++i) {
            log.write(i % 255 + 1, u"/austausch/erg%1.txt"_s.arg(i), u"results file missing"_s);
            ASSERT_LE(QFileInfo(log.path()).size() + QFileInfo(log.olderPath()).size(), bound) << bound << " " << i;
        }
        EXPECT_TRUE(contents(log.path()).contains("/austausch/erg499.txt"));
        EXPECT_TRUE(contents(log.olderPath()).endsWith('\n'));
    }
    // An overlong line is cut to half the bound.
    EventLog log(dir.filePath(u"c.log"_s), 100);
    log.write(1, QString(500, QLatin1Char('f')), u"results file missing"_s);
    EXPECT_EQ(contents(log.path()).size(), 50);
    EXPECT_TRUE(contents(log.path()).endsWith('\n'));
    // A missing folder, and a folder in the way of the log file: nothing is written, nothing suffers.
    EventLog missing(dir.filePath(u"fehlt/d.log"_s));
    missing.write(1, u"e.txt"_s, u"results file missing"_s);
    EXPECT_FALSE(QFileInfo::exists(missing.path()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"e.log"_s));
    EventLog blocked(dir.filePath(u"e.log"_s), 100);
    for (int i = 0; i < 10; ++i)
        blocked.write(1, u"e.txt"_s, u"results file missing"_s);
    EXPECT_TRUE(QFileInfo(blocked.path()).isDir());
}

} // namespace
