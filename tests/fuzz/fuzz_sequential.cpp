// The item reader of the sequential files (Input #), over bytes in memory.

#include "FuzzSupport.h"
#include "platform/SequentialFile.h"

#include <cmath>

namespace {

// Reads items until the end; counts them. The reader may throw only once
// nothing but blanks and line ends is left.
qsizetype readToEnd(SequentialReader& reader, bool asNumbers, qsizetype limit)
{
    qsizetype count = 0;
    while (true) {
        const bool atEnd = reader.atEnd();
        try {
            if (asNumbers) {
                const double value = reader.readNumber();
                FUZZ_CHECK(!std::isnan(value));
            } else {
                const SequentialItem item = reader.readItem();
                FUZZ_CHECK(item.quoted || item.text == item.text.trimmed());
            }
        } catch (const SequentialReadError&) {
            FUZZ_CHECK(atEnd);
            return count;
        }
        FUZZ_CHECK(!atEnd);
        ++count;
        // Every item takes at least one character of the text.
        FUZZ_CHECK(count <= limit);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    auto items = SequentialReader::fromBytes(input);
    auto numbers = SequentialReader::fromBytes(input);
    const qsizetype limit = input.size();
    const qsizetype itemCount = readToEnd(*items, false, limit);
    // Reading numbers consumes the items exactly as reading texts does.
    FUZZ_CHECK(readToEnd(*numbers, true, limit) == itemCount);
    FUZZ_CHECK(items->atEnd() && numbers->atEnd());

    // The same bytes through a multi-byte code page.
    auto japanese = SequentialReader::fromBytes(input, QByteArrayLiteral("Shift_JIS"));
    readToEnd(*japanese, false, limit);
    return 0;
}
