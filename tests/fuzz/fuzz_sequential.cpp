// The item reader of the sequential files (Input #), over bytes in memory.

#include "FuzzSupport.h"
#include "platform/SequentialFile.h"

#include <cmath>

namespace {

// Reads items until the end and counts them. The reader may throw only once
// nothing but blanks and line ends is left, and every item takes at least one
// character of the text.
qsizetype readToEnd(SequentialReader& reader, bool asNumbers, qsizetype limit)
{
    for (qsizetype count = 0;; ++count) {
        const bool atEnd = reader.atEnd();
        try {
            if (asNumbers) {
                FUZZ_CHECK(!std::isnan(reader.readNumber()));
            } else {
                const SequentialItem item = reader.readItem();
                FUZZ_CHECK(item.quoted || item.text == item.text.trimmed());
            }
        } catch (const SequentialReadError&) {
            FUZZ_CHECK(atEnd);
            return count;
        }
        FUZZ_CHECK(!atEnd && count < limit);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    // Reading numbers consumes the items exactly as reading texts does, in any code page.
    const qsizetype items = readToEnd(*SequentialReader::fromBytes(input), false, input.size());
    FUZZ_CHECK(readToEnd(*SequentialReader::fromBytes(input), true, input.size()) == items);
    readToEnd(*SequentialReader::fromBytes(input, QByteArrayLiteral("Shift_JIS")), false, input.size());
    return 0;
}
