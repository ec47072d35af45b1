#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "ranking/RankingFile.h"
#include "ranking/RankingLayout.h"
#include "ranking/RankingLine.h"
#include "ranking/RankingPage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace Qt::StringLiterals;

namespace {

TEST(RankingFile, ItemsFollowTheListReadingRule)
{
    const std::pair<QByteArray, QStringList> cases[]
        = {{QByteArray(), {}}, {"1;;Meier;Anna\r\n2;;Huber;Max\r\n", {u"1;;Meier;Anna"_s, u"2;;Huber;Max"_s}},
            {"a\r\nb", {u"a"_s, u"b"_s}}, // the last line without an end
            {"a\nb\rc", {u"a"_s, u"b"_s, u"c"_s}},
            // A quoted line keeps its commas, an unquoted comma cuts.
            {"\"1;;Meier, Jr.;Anna;SV 1, Nord\"\r\n\"2;;B;C\"\r\n", {u"1;;Meier, Jr.;Anna;SV 1, Nord"_s, u"2;;B;C"_s}},
            {"1;;Meier, Anna;x\r\n", {u"1;;Meier"_s, u"Anna;x"_s}},
            // Leading blanks are skipped, trailing ones kept; an empty line is an empty item.
            {"  \tabc\r\n", {u"abc"_s}}, {"abc  \r\n", {u"abc  "_s}}, {"a\r\n\r\nb\r\n", {u"a"_s, QString(), u"b"_s}},
            // The rest after a closing quote is dropped; a quote runs over line ends, unclosed to the end.
            {"\"ab\"cd,ef\r\n", {u"ab"_s, u"ef"_s}}, {"\"a\r\nb\"\r\nc", {u"a\r\nb"_s, u"c"_s}},
            {"\"abc;d\r\n", {u"abc;d\r\n"_s}}, {"M\xfcller;\x80", {u"M\u00fcller;\u20ac"_s}}};
    for (const auto& [bytes, items] : cases)
        EXPECT_EQ(RankingFile::readItems(bytes), items) << bytes.constData();
    // Bytes are read in the system's ANSI code page.
    TextCodec::setAnsiCodePageForTest("windows-1251");
    EXPECT_EQ(RankingFile::readItems("\xCF\xF0\xE8\xE2\xE5\xF2"), QStringList {u"Привет"_s});
    TextCodec::setAnsiCodePageForTest(QByteArray());
}

TEST(RankingFile, NamedByTheIdAndFoundWhateverTheCaseMissingGivesNothing)
{
    QTemporaryDir dir;
    EXPECT_EQ(RankingFile::fileName(dir.path(), 12), FileLookup::join(dir.path(), u"HRang12.csv"_s));
    EXPECT_FALSE(RankingFile::read(RankingFile::fileName(dir.path(), 3)).has_value());
    QFile file(dir.filePath(u"hrang3.CSV"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(RankingFile::read(RankingFile::fileName(dir.path(), 3)), QStringList());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1;;A;B\r\n");
    file.close();
    EXPECT_EQ(RankingFile::read(RankingFile::fileName(dir.path(), 3)), QStringList {u"1;;A;B"_s});
}

// "f1;f2;...;fN" with N fields, or with another separator.
QString numbered(int n, QChar separator = u';')
{
    QStringList fields;
    for (int k = 1; k <= n; ++k)
        fields.append(u"f%1"_s.arg(k));
    return fields.join(separator);
}

// Fields 1 to 20 of a line joined by "|".
QString fields(const QString& text)
{
    const RankingLine line(text);
    QStringList all;
    for (int k = 1; k <= 20; ++k)
        all.append(line.field(k));
    return all.join(u'|');
}

TEST(RankingLine, TwentyFieldsAsTheyStandTheLastRunningToTheLineEnd)
{
    EXPECT_EQ(fields(numbered(19) + u";last field"_s), numbered(19, u'|') + u"|last field"_s);
    EXPECT_EQ(fields(numbered(20) + u';'), numbered(20, u'|'));
    // Fields after the twentieth are dropped, here with 25 separators.
    EXPECT_EQ(fields(numbered(26)), numbered(20, u'|'));
    EXPECT_TRUE(RankingLine(numbered(26)).field(21).isEmpty() && RankingLine(numbered(26)).field(0).isEmpty());

    const QString full = u" 1 ;x; Meier ;Anna;SV 1, Nord;98,5;3;40;9.5;;;;;;;;;;;"_s;
    EXPECT_EQ(fields(full), QString(full).replace(u';', u'|'));
    EXPECT_EQ(RankingLine(full).shotCount(), 40); // from field 8
    // Short lines lack the rest.
    EXPECT_EQ(fields(u"7;x;Kurz"_s), u"7|x|Kurz"_s + QString(17, u'|'));
    EXPECT_EQ(fields(QString()), QString(19, u'|'));
    EXPECT_EQ(RankingLine(u"7;x;Kurz"_s).shotCount(), 0);
}

TEST(RankingLine, ShotCountReadsTheLeadingNumber)
{
    const std::pair<const char*, int> cases[] = {{"40", 40}, {"40 Schuss", 40}, {"", 0}, {"10.5", 10}, {"11.5", 12},
        {" 4 0", 40}, {"&H10", 16}, {"Schuss", 0}, {"32767", 32767}, {"-32768", -32768}, {"32768", 0}, {"99999", 0},
        {"32767.5", 0}, {"1e999", 0}, {"60,5", 60}};
    for (const auto& [text, shots] : cases)
        EXPECT_EQ(RankingLine::shotCount(QString::fromLatin1(text)), shots) << text;
}

// The frame that makes fy = 1: one and a half times the design's outer height.
constexpr double UnitWidth = RankingLayout::DesignOuterWidth;
constexpr double UnitHeight = RankingLayout::DesignOuterHeight * 1.5;

QList<double> rect(const RankingLabelGeometry* label)
{
    return {label->rect.left, label->rect.top, label->rect.width, label->rect.height, label->pointSize};
}

TEST(RankingLayout, FrameOneAndAHalfTimesTheDesignKeepsTheDesignSizes)
{
    const RankingLayout layout = RankingLayout::fitted(UnitWidth, UnitHeight);
    EXPECT_EQ(std::pair(layout.fx, layout.fy), std::pair(1.0f, 1.0f));
    EXPECT_EQ(layout.pitch, 480);
    EXPECT_EQ(layout.fixedLabel(u"lblRanlistenTitel")->pointSize, 12);
    EXPECT_EQ(layout.rowTemplate(RankingColumn::SNr).pointSize, 10);
    const RankingLayout design = RankingLayout::design();
    ASSERT_EQ(design.fixedLabels.size(), layout.fixedLabels.size());
    // The row labels stand under their headings.
    EXPECT_EQ(layout.rowTemplate(RankingColumn::SerieErg6).rect.left, layout.fixedLabel(u"lblBezSerie5")->rect.left);
    for (std::size_t i = 0; i < design.fixedLabels.size(); ++i)
        EXPECT_EQ(rect(&layout.fixedLabels[i]).mid(0, 2), rect(&design.fixedLabels[i]).mid(0, 2));

    ASSERT_EQ(layout.zeilen, 21);
    ASSERT_EQ(layout.rowTops.size(), 22u);
    ASSERT_EQ(layout.rowLineYs.size(), 22u);
    EXPECT_EQ(layout.rowLineYs[0], 1440);
    for (int r = 1; r <= 21; ++r) {
        EXPECT_EQ(layout.rowTops[std::size_t(r)], 1080 + 480 * r) << r;
        EXPECT_EQ(layout.rowLineYs[std::size_t(r)], 960 + 480 * r) << r;
    }
    EXPECT_EQ(QList<double>({layout.lnTrenner.x1, layout.lnTrenner.y2}), QList<double>({4920, UnitHeight}));
}

TEST(RankingLayout, RowCountDependsOnlyOnTheDesign)
{
    // Common frame sizes at 15 twips a pixel, and a few odd ones.
    const std::pair<double, double> sizes[] = {{9600, 7200}, {12000, 9000}, {15360, 11520}, {20400, 11520},
        {28800, 16200}, {57600, 32400}, {9000, 300}, {15, 15}};
    for (const auto& [w, h] : sizes) {
        const RankingLayout layout = RankingLayout::fitted(w, h);
        EXPECT_EQ(layout.zeilen, 21) << w << " x " << h;
        // The last row's separator lies inside the window, the next would not fit.
        EXPECT_LT(layout.rowLineYs.back(), h);
        EXPECT_GE(layout.rowLineYs.back() + layout.pitch, h - layout.pitch);
        EXPECT_EQ(layout.lnTrenner.y2, h);
    }
}

TEST(RankingLayout, FactorsScaleEachDirectionAndFontSizesRoundHalfToEven)
{
    const RankingLayout layout = RankingLayout::fitted(UnitWidth * 2, UnitHeight / 2);
    EXPECT_EQ(std::pair(layout.fx, layout.fy), std::pair(2.0f, 0.5f));
    EXPECT_EQ(rect(layout.fixedLabel(u"lblRanlistenTitel")), QList<double>({240, 60, 18750, 187.5, 6}));
    EXPECT_EQ(layout.fixedLabel(u"lblBezRang")->pointSize, 5); // 4.875
    EXPECT_EQ(QList<double>({layout.pitch, layout.lnZeile0.x2, layout.lnTitel.y1}), QList<double>({240, 18960, 480}));

    // fy 1.125: 12 -> 13.5 -> 14; fy 0.875: 12 -> 10.5 -> 10.
    const RankingLayout up = RankingLayout::fitted(UnitWidth, UnitHeight * 1.125);
    EXPECT_EQ(up.fy, 1.125f);
    EXPECT_EQ(up.fixedLabel(u"lblRanlistenTitel")->pointSize, 14);
    EXPECT_EQ(up.fixedLabel(u"lblBezSNr")->pointSize, 11);
    const RankingLayout down = RankingLayout::fitted(UnitWidth, UnitHeight * 0.875);
    EXPECT_EQ(down.fy, 0.875f);
    EXPECT_EQ(down.fixedLabel(u"lblRanlistenTitel")->pointSize, 10);
    EXPECT_EQ(down.rowTemplate(RankingColumn::Rang).pointSize, 9); // 8.53125
}

TEST(RankingLayout, DegenerateFramesMakeNoRows)
{
    for (const auto& [w, h] : {std::pair {0.0, 0.0}, std::pair {-9600.0, -7200.0}, std::pair {9600.0, -1.0}}) {
        const RankingLayout layout = RankingLayout::fitted(w, h);
        EXPECT_EQ(layout.zeilen, 0);
        EXPECT_EQ(layout.rowTops.size(), 1u);
        // Zero points cannot be set: the font keeps its size.
        EXPECT_EQ(layout.fixedLabel(u"lblRanlistenTitel")->pointSize, 12);
    }
}

// A line as the evaluation software writes it; series k holds "s<k>".
QString shooter(int rank, int shots)
{
    return u"%1;x;Meier;Anna;SV Tell;387;4;%2;s1;s2;s3;s4;s5;s6;s7;s8;s9;s10;s11;s12"_s.arg(rank).arg(shots);
}

QStringList shooters(int count, int shots = 40)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(shooter(i, shots));
    return lines;
}

// The cells of a row joined by "|", "-" for a cell the page does not write.
QString row(const RankingPage& page, int r)
{
    QStringList cells;
    for (const std::optional<QString>& cell : page.rows[std::size_t(r)])
        cells.append(cell.value_or(u"-"_s));
    return cells.join(u'|');
}

// The rows from..to, one string each.
QStringList rows(const RankingPage& page, int from, int to)
{
    QStringList result;
    for (int r = from; r <= to; ++r)
        result.append(row(page, r));
    return result;
}

// The separator lines shown, by number.
QList<int> lines(const RankingPage& page)
{
    QList<int> shown;
    for (std::size_t r = 0; r < page.linesShown.size(); ++r) {
        if (page.linesShown[r])
            shown.append(int(r));
    }
    return shown;
}

const QString untouched = u"-|-|-|-|-|-|-|-|-|-|-|-"_s;
constexpr int Zeilen = 21;

TEST(RankingPage, ShowsTheSeriesFiredAndTotalsOnTheShootersLastRow)
{
    // Shots; the first row and, for a shooter who takes two rows, the second.
    const std::tuple<int, const char*, const char*> cases[] = {{0, "1.|Meier, Anna|SV Tell|4|-|-|-|-|-|-|387|0", ""},
        {10, "1.|Meier, Anna|SV Tell|4|s1|-|-|-|-|-|387|10", ""},
        {11, "1.|Meier, Anna|SV Tell|4|s1|s2|-|-|-|-|387|11", ""},
        {60, "1.|Meier, Anna|SV Tell|4|s1|s2|s3|s4|s5|s6|387|60", ""},
        {61, "1.|Meier, Anna|SV Tell|4|s1|s2|s3|s4|s5|s6|-|-", "-|-|-|-|s7|-|-|-|-|-|387|61"},
        {111, "1.|Meier, Anna|SV Tell|4|s1|s2|s3|s4|s5|s6|-|-", "-|-|-|-|s7|s8|s9|s10|s11|s12|387|111"}};
    for (const auto& [shots, first, second] : cases) {
        SCOPED_TRACE(shots);
        const RankingPage page = fillRankingPage({shooter(1, shots)}, Zeilen);
        ASSERT_EQ(page.consumed, 1);
        EXPECT_EQ(row(page, 0), QString::fromLatin1(first));
        EXPECT_EQ(row(page, 1), *second ? QString::fromLatin1(second) : untouched);
        // Only the line under the shooter's last row, none between its rows.
        EXPECT_EQ(lines(page), QList<int> {*second ? 2 : 1});
    }
}

TEST(RankingPage, PagesHoldZeilenLessTwoShootersAndTheNextContinuesAtRowZero)
{
    const RankingPage five = fillRankingPage(shooters(5), Zeilen);
    EXPECT_EQ(five.consumed, 5);
    ASSERT_EQ(five.rows.size(), std::size_t(Zeilen + 1));
    for (int r = 0; r < 5; ++r)
        EXPECT_TRUE(row(five, r).startsWith(u"%1.|"_s.arg(r + 1))) << r;
    EXPECT_EQ(rows(five, 5, Zeilen), QStringList(Zeilen - 4, untouched));
    EXPECT_EQ(lines(five), QList<int>({1, 2, 3, 4, 5}));

    QStringList queue = shooters(30);
    const RankingPage first = fillRankingPage(queue, Zeilen);
    EXPECT_EQ(first.consumed, Zeilen - 2);
    EXPECT_TRUE(row(first, 18).startsWith(u"19.|"_s));
    EXPECT_EQ(row(first, 19), untouched);
    queue.remove(0, first.consumed);
    const RankingPage second = fillRankingPage(queue, Zeilen);
    EXPECT_EQ(second.consumed, 11);
    EXPECT_TRUE(row(second, 0).startsWith(u"20.|"_s));
    EXPECT_TRUE(row(second, 10).startsWith(u"30.|"_s));

    // A two-row shooter may use the row after the last start: starts on rows 0, 2, ..., 18.
    const RankingPage two = fillRankingPage(shooters(15, 70), Zeilen);
    EXPECT_EQ(two.consumed, 10);
    EXPECT_TRUE(row(two, 18).startsWith(u"10.|"_s));
    EXPECT_TRUE(row(two, 19).endsWith(u"|70"_s));
    EXPECT_EQ(row(two, 20), untouched);
    EXPECT_TRUE(lines(two).contains(20) && !lines(two).contains(19));
}

TEST(RankingPage, ShortLinesAndBadShotCounts)
{
    const RankingPage page
        = fillRankingPage({shooter(3, 40), u";;;;;;;"_s, u"7;x;Kurz"_s, shooter(1, 99999), shooter(2, -5)}, Zeilen);
    EXPECT_EQ(page.consumed, 5);
    // Shot counts beyond 16 bits or below zero show no series.
    EXPECT_EQ(rows(page, 0, 4),
        QStringList({u"3.|Meier, Anna|SV Tell|4|s1|s2|s3|s4|-|-|387|40"_s, u".|, |||-|-|-|-|-|-||"_s,
            u"7.|Kurz, |||-|-|-|-|-|-||"_s, u"1.|Meier, Anna|SV Tell|4|-|-|-|-|-|-|387|99999"_s,
            u"2.|Meier, Anna|SV Tell|4|-|-|-|-|-|-|387|-5"_s}));
}

TEST(RankingPage, EmptyQueueOrTooFewRowsWritesNothing)
{
    for (int zeilen : {-1, 0, 1, 2})
        EXPECT_EQ(fillRankingPage(shooters(3), zeilen).consumed, 0) << zeilen;
    const RankingPage empty = fillRankingPage({}, Zeilen);
    EXPECT_EQ(empty.consumed, 0);
    EXPECT_EQ(rows(empty, 0, Zeilen), QStringList(Zeilen + 1, untouched));

    const RankingPage one = fillRankingPage(shooters(3, 70), 3);
    EXPECT_EQ(one.consumed, 1);
    EXPECT_TRUE(one.linesShown[2]);
}

} // namespace
