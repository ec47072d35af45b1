// The ranking file: its items, the fields of each line and the pages filled
// from them. The first byte also picks the number of rows of the window.

#include "FuzzSupport.h"
#include "ranking/RankingFile.h"
#include "ranking/RankingLine.h"
#include "ranking/RankingPage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    const QStringList items = RankingFile::readItems(input);
    // Every item but an empty line's takes at least one byte, and so does
    // every empty line.
    FUZZ_CHECK(items.size() <= input.size());

    for (const QString& item : items) {
        const RankingLine line(item);
        qsizetype length = 0;
        for (int k = 1; k <= RankingLine::FieldCount; ++k)
            length += line.field(k).size();
        FUZZ_CHECK(length <= item.size() && line.shotCount() >= -32768 && line.shotCount() <= 32767);
        FUZZ_CHECK(line.field(0).isEmpty() && line.field(RankingLine::FieldCount + 1).isEmpty());
    }

    // Pages until the queue is used up, as the window shows them.
    const int zeilen = size == 0 ? 21 : int(data[0] % 40) - 2;
    QStringList queue = items;
    for (int page = 0; page < 1000 && !queue.isEmpty(); ++page) {
        const RankingPage filled = fillRankingPage(queue, zeilen);
        FUZZ_CHECK(filled.consumed >= 0 && filled.consumed <= queue.size());
        FUZZ_CHECK(filled.rows.size() == filled.linesShown.size());
        if (filled.consumed == 0)
            break;
        queue.erase(queue.begin(), queue.begin() + filled.consumed);
    }
    return 0;
}
