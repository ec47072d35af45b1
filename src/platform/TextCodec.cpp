#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five unassigned
// bytes map to the C1 controls of the same number, as Windows maps them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

QString decode1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

QByteArray encode1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
            continue;
        }
        char out = '?';
        for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
            if (kCp1252High[k] == u) {
                out = char(0x80 + k);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}

enum class Kind { Cp1252, Utf8, Latin1, Other };

struct CodePage {
    Kind kind = Kind::Cp1252;
    unsigned windowsNumber = 1252;
    QByteArray iconvName = QByteArrayLiteral("CP1252");
};

QByteArray g_ansiCodePageForTest;

// "windows-1361", "cp20866": any other code page Windows knows by number.
std::optional<unsigned> numberedCodePage(const QByteArray& name)
{
    QByteArray digits;
    if (name.startsWith("windows-"))
        digits = name.mid(8);
    else if (name.startsWith("cp"))
        digits = name.mid(2);
    bool ok = false;
    const unsigned number = digits.toUInt(&ok);
    if (!ok || number == 0)
        return std::nullopt;
    return number;
}

// The names this program uses for code pages, with what Windows and iconv
// call them. Shift_JIS, GBK and Big5 mean the Windows variants (932, 936, 950)
// because the files come from Windows machines.
CodePage lookup(const QByteArray& name)
{
    const QByteArray n = name.trimmed().toLower();
    if (n.isEmpty() || n == "windows-1252" || n == "cp1252" || n == "1252")
        return {};
    if (n == "utf-8" || n == "utf8")
        return {Kind::Utf8, 65001, "UTF-8"};
    if (n == "iso-8859-1" || n == "latin1" || n == "latin-1")
        return {Kind::Latin1, 28591, "ISO-8859-1"};
    struct Entry {
        const char* name;
        unsigned number;
        const char* iconvName;
    };
    static const Entry table[] = {
        {"windows-1250", 1250, "CP1250"},
        {"windows-1251", 1251, "CP1251"},
        {"windows-1253", 1253, "CP1253"},
        {"windows-1254", 1254, "CP1254"},
        {"windows-1255", 1255, "CP1255"},
        {"windows-1256", 1256, "CP1256"},
        {"windows-1257", 1257, "CP1257"},
        {"windows-1258", 1258, "CP1258"},
        {"windows-874", 874, "CP874"},
        {"shift_jis", 932, "CP932"},
        {"windows-932", 932, "CP932"},
        {"gbk", 936, "CP936"},
        {"windows-936", 936, "CP936"},
        {"windows-949", 949, "CP949"},
        {"euc-kr", 949, "CP949"},
        {"big5", 950, "CP950"},
        {"windows-950", 950, "CP950"},
        {"ibm850", 850, "CP850"},
        {"cp850", 850, "CP850"},
    };
    for (const Entry& e : table) {
        if (n == e.name)
            return {Kind::Other, e.number, e.iconvName};
    }
    if (const std::optional<unsigned> number = numberedCodePage(n)) {
        if (*number == 65001)
            return {Kind::Utf8, 65001, "UTF-8"};
        return {Kind::Other, *number, "CP" + QByteArray::number(*number)};
    }
    return {};
}

#ifdef Q_OS_WIN

QString decodeOther(const QByteArray& bytes, const CodePage& cp, bool* ok)
{
    *ok = true;
    if (bytes.isEmpty())
        return QString();
    const int length = MultiByteToWideChar(cp.windowsNumber, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    if (length <= 0) {
        *ok = false;
        return QString();
    }
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(cp.windowsNumber, 0, bytes.constData(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide);
}

QByteArray encodeOther(const QString& text, const CodePage& cp, bool* ok)
{
    *ok = true;
    if (text.isEmpty())
        return QByteArray();
    const std::wstring wide = text.toStdWString();
    const int length
        = WideCharToMultiByte(cp.windowsNumber, 0, wide.data(), int(wide.size()), nullptr, 0, "?", nullptr);
    if (length <= 0) {
        *ok = false;
        return QByteArray();
    }
    QByteArray bytes(length, '\0');
    WideCharToMultiByte(cp.windowsNumber, 0, wide.data(), int(wide.size()), bytes.data(), length, "?", nullptr);
    return bytes;
}

#else

// Runs iconv over the whole input; an input sequence that cannot be converted
// is replaced by `replacement` (already in the target encoding) and skipped.
QByteArray convert(const char* to, const char* from, const QByteArray& input, const QByteArray& replacement,
    int (*skipLength)(const char*, std::size_t), bool* ok)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        *ok = false;
        return QByteArray();
    }
    *ok = true;
    QByteArray output;
    std::array<char, 4096> chunk {};
    QByteArray in = input;
    char* inPtr = in.data();
    std::size_t inLeft = std::size_t(in.size());
    while (inLeft > 0) {
        char* outPtr = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        output.append(chunk.data(), qsizetype(chunk.size() - outLeft));
        if (rc == std::size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or an incomplete sequence at the end.
            output.append(replacement);
            const std::size_t skip = std::min<std::size_t>(inLeft, std::size_t(skipLength(inPtr, inLeft)));
            inPtr += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* outPtr = chunk.data();
    std::size_t outLeft = chunk.size();
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    output.append(chunk.data(), qsizetype(chunk.size() - outLeft));
    iconv_close(cd);
    return output;
}

int oneByte(const char*, std::size_t)
{
    return 1;
}

int utf8Length(const char* p, std::size_t left)
{
    const auto lead = static_cast<unsigned char>(*p);
    int length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return int(std::min<std::size_t>(left, std::size_t(length)));
}

QString decodeOther(const QByteArray& bytes, const CodePage& cp, bool* ok)
{
    const QByteArray utf8
        = convert("UTF-8", cp.iconvName.constData(), bytes, QByteArrayLiteral("\xEF\xBF\xBD"), oneByte, ok);
    return QString::fromUtf8(utf8);
}

QByteArray encodeOther(const QString& text, const CodePage& cp, bool* ok)
{
    return convert(cp.iconvName.constData(), "UTF-8", text.toUtf8(), QByteArrayLiteral("?"), utf8Length, ok);
}

#endif

} // namespace

namespace TextCodec {

QString decode(const QByteArray& bytes, const QByteArray& codePage)
{
    const CodePage cp = lookup(codePage);
    switch (cp.kind) {
    case Kind::Cp1252:
        return decode1252(bytes);
    case Kind::Utf8:
        return QString::fromUtf8(bytes);
    case Kind::Latin1:
        return QString::fromLatin1(bytes);
    case Kind::Other:
        break;
    }
    bool ok = false;
    const QString text = decodeOther(bytes, cp, &ok);
    return ok ? text : decode1252(bytes);
}

QByteArray encode(const QString& text, const QByteArray& codePage)
{
    const CodePage cp = lookup(codePage);
    switch (cp.kind) {
    case Kind::Cp1252:
        return encode1252(text);
    case Kind::Utf8:
        return text.toUtf8();
    case Kind::Latin1:
        return text.toLatin1();
    case Kind::Other:
        break;
    }
    bool ok = false;
    const QByteArray bytes = encodeOther(text, cp, &ok);
    return ok ? bytes : encode1252(text);
}

QByteArray ansiCodePage()
{
    if (!g_ansiCodePageForTest.isEmpty())
        return g_ansiCodePageForTest;
#ifdef Q_OS_WIN
    return "windows-" + QByteArray::number(GetACP());
#else
    // Linux has no ANSI code page; the files come from Western European
    // Windows machines.
    return QByteArrayLiteral("windows-1252");
#endif
}

void setAnsiCodePageForTest(const QByteArray& codePage)
{
    g_ansiCodePageForTest = codePage;
}

QByteArray codePageForCharset(int charset)
{
    switch (charset) {
    case 128:
        return QByteArrayLiteral("Shift_JIS");
    case 129:
        return QByteArrayLiteral("windows-949");
    case 134:
        return QByteArrayLiteral("GBK");
    case 136:
        return QByteArrayLiteral("Big5");
    case 161:
        return QByteArrayLiteral("windows-1253");
    case 162:
        return QByteArrayLiteral("windows-1254");
    case 163:
        return QByteArrayLiteral("windows-1258");
    case 177:
        return QByteArrayLiteral("windows-1255");
    case 178:
        return QByteArrayLiteral("windows-1256");
    case 186:
        return QByteArrayLiteral("windows-1257");
    case 204:
        return QByteArrayLiteral("windows-1251");
    case 222:
        return QByteArrayLiteral("windows-874");
    case 238:
        return QByteArrayLiteral("windows-1250");
    case 255:
        return QByteArrayLiteral("IBM850");
    case 0:
        return QByteArrayLiteral("windows-1252");
    default:
        // 1 (default), 2 (symbol) and everything unknown.
        return ansiCodePage();
    }
}

} // namespace TextCodec
