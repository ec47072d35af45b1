// Lane message records as they arrive in a message file (Windows-1252).

#include "FuzzSupport.h"
#include "exchange/SatzZerlegen.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString satz = TextCodec::decode(FuzzSupport::bytes(data, size));
    QList<Dialogs::MessageRequest> boxes;
    Dialogs::setMessageHandler([&boxes](const Dialogs::MessageRequest& box) { boxes.append(box); });
    std::int32_t A = 1, S = 2, L = 3, B = 4;
    QString N = QStringLiteral("stale");
    SatzZerlegen(satz, A, S, L, B, N);
    Dialogs::setMessageHandler(nullptr);

    // At most the one box, and it shows the record; an accepted record holds
    // the four ";" and five "#" of the grammar.
    FUZZ_CHECK(boxes.size() <= 1);
    if (!boxes.isEmpty())
        FUZZ_CHECK(boxes.first().icon == Dialogs::Icon::Exclamation
            && boxes.first().title == QStringLiteral("Syntax Error !") && boxes.first().text == satz && N.isEmpty());
    else
        FUZZ_CHECK(satz.count(QLatin1Char(';')) >= 4 && satz.count(QLatin1Char('#')) >= 5);
    FUZZ_CHECK(N.size() <= satz.size() && !N.startsWith(QLatin1Char(' ')) && !N.endsWith(QLatin1Char(' ')));

    const LaneMessage message = splitLaneRecord(satz);
    FUZZ_CHECK(message.A == A && message.S == S && message.L == L && message.B == B && message.N == N);
    FUZZ_CHECK(message.wellFormed == boxes.isEmpty());
    return 0;
}
