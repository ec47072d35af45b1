#include "options/OptionsTextTable.h"
#include "options/Sprache.h"
#include "support/ProgramFolder.h"

#include <QStringList>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

class LanguageTest : public ProgramFolderTest {
protected:
    // Loads the file of language n as the frame does; returns the captions
    // the frame was given.
    QStringList load(int n)
    {
        state().settings.Sprache = static_cast<std::uint8_t>(n);
        QString path = Sprache::dateiFuer(n);
        QStringList captions;
        Sprache::Sprache_Laden(path, [&captions](const QString& caption) { captions.append(caption); });
        return captions;
    }
    QStringList loadFile(int n, const QByteArray& bytes)
    {
        write(u"Sprache_%1.ini"_s.arg(n), bytes);
        return load(n);
    }
    const LanguageTexts& texts() const { return state().language; }
    static std::optional<std::uint8_t> charset(int value) { return static_cast<std::uint8_t>(value); }
    void presetTexts()
    {
        auto& language = state().language;
        language.SprachZeichensatz = 7;
        language.MDICaption = u"before"_s;
        for (auto& text : language.OptionsTexte)
            text = u"old"_s;
    }
    void expectPresetKept()
    {
        EXPECT_EQ(texts().SprachZeichensatz, charset(7));
        EXPECT_EQ(texts().MDICaption, u"before"_s);
        for (const auto& text : texts().OptionsTexte)
            EXPECT_EQ(text, u"old"_s);
    }
};

TEST_F(LanguageTest, DateiPruefenReportsTheLengthOrMinusOneAndRemovesEmptyFiles)
{
    write(u"empty.ini"_s, QByteArray());
    write(u"full.ini"_s, "[a]\r\nb=c\r\n");
    write(u"plain"_s, "x");
    QDir(dir()).mkdir(u"folder.ini"_s);
    const std::pair<const char*, int> cases[] = {{"missing.ini", 0}, {"empty.ini", 0}, {"full.ini", 10},
        {"no/such/folder/Sprache_1.ini", -1}, {"plain/Sprache_1.ini", -1}, {"folder.ini", -1}};
    for (const auto& [name, length] : cases)
        EXPECT_EQ(Sprache::DateiPruefen(file(QLatin1String(name))), length) << name;
    EXPECT_EQ(Sprache::DateiPruefen(QString()), -1);
    EXPECT_FALSE(exists(u"missing.ini"_s));
    EXPECT_FALSE(exists(u"empty.ini"_s));
    EXPECT_EQ(read(u"full.ini"_s), QByteArray("[a]\r\nb=c\r\n"));
}

TEST_F(LanguageTest, FileNameFollowsTheLanguageNumber)
{
    EXPECT_EQ(native(Sprache::dateiFuer(1)), file(u"Sprache_1.ini"_s));
    EXPECT_EQ(native(Sprache::dateiFuer(7)), file(u"Sprache_7.ini"_s));
    // A file whose name differs in letter case is found.
    write(u"SPRACHE_5.INI"_s, "x");
    EXPECT_EQ(native(Sprache::dateiFuer(5)), file(u"SPRACHE_5.INI"_s));
}

TEST_F(LanguageTest, TableKeysAreDistinctWhateverTheirCase)
{
    QStringList keys;
    for (const auto& entry : OptionsTextTable::entries())
        keys.append(QString(entry.key).toLower());
    EXPECT_EQ(keys.removeDuplicates(), 0);
}

TEST_F(LanguageTest, FileWithOnlyTheCharsetOrBinaryContentGivesTheBuiltInTexts)
{
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary.append(static_cast<char>((i * 37 + 11) % 256));
    for (const QByteArray& bytes : {QByteArray("[Zeichensatz]\r\nOMRCharset=0\r\n"), binary}) {
        EXPECT_EQ(loadFile(1, bytes), QStringList {u"VTX-VANTORI"_s});
        EXPECT_EQ(texts().MDICaption, u"VTX-VANTORI"_s);
        EXPECT_EQ(texts().SprachZeichensatz, charset(bytes == binary ? 1 : 0));
        const auto& entries = OptionsTextTable::entries();
        for (int i = 0; i < OptionsTextTable::Count; ++i)
            EXPECT_EQ(texts().OptionsTexte[i], QString(entries[i].defaultText)) << i;
    }
}

TEST_F(LanguageTest, MissingSectionsGiveDefaultsPerKeyAndLongValuesAreCut)
{
    loadFile(1, "[OPTIONS]\r\nform_caption=Options\r\nchkblaettern = Paging \r\nchkAnfEnd=" + QByteArray(300, 'x'));
    EXPECT_EQ(texts().MDICaption, u"VTX-VANTORI"_s);
    EXPECT_EQ(texts().SprachZeichensatz, charset(1));
    EXPECT_EQ(texts().OptionsTexte[0], u"Options"_s);
    EXPECT_EQ(texts().OptionsTexte[12], QString(254, QLatin1Char('x')));
    EXPECT_EQ(texts().OptionsTexte[18], u"Paging"_s);
    EXPECT_EQ(texts().OptionsTexte[19], u"Scheiben Pro Seite"_s);
    loadFile(1, "[frmMidi]\r\nForm_Caption=" + QByteArray(300, 'x'));
    EXPECT_EQ(texts().MDICaption.size(), 254);
}

TEST_F(LanguageTest, CyrillicFileIsDecodedWithItsCharset)
{
    QByteArray bytes = "[Zeichensatz]\r\nOMRCharset=204\r\n[frmMidi]\r\nForm_Caption=";
    // Hand-encoded windows-1251, so the test does not rely on the decoder it checks.
    bytes += QByteArray::fromHex("565458") + ' ' + QByteArray::fromHex("d2e0e1ebee20ece8f8e5ede5e9");
    bytes += "\r\n[Options]\r\nForm_Caption=" + QByteArray::fromHex("cfe0f0e0ece5f2f0fb") + "\r\n";
    loadFile(3, bytes);
    EXPECT_EQ(texts().SprachZeichensatz, charset(204));
    EXPECT_EQ(texts().MDICaption, u"VTX Табло мишеней"_s);
    EXPECT_EQ(texts().OptionsTexte[0], u"Параметры"_s);
    EXPECT_EQ(texts().OptionsTexte[1], u"Anzeige"_s);
}

TEST_F(LanguageTest, CharsetThatIsNoByteKeepsThePreviousOne)
{
    for (const char* text : {"abc", "300", "-1", ""}) {
        state().language.SprachZeichensatz = 162;
        loadFile(1, QByteArray("[Zeichensatz]\r\nOMRCharset=") + text + "\r\n");
        EXPECT_EQ(texts().SprachZeichensatz, charset(162)) << text;
    }
    loadFile(1, "[zeichensatz]\r\nomrcharset= 204 \r\n");
    EXPECT_EQ(texts().SprachZeichensatz, charset(204));
}

TEST_F(LanguageTest, NoFileLeavesCaptionAndTextsAlone)
{
    EXPECT_TRUE(load(1).isEmpty());
    EXPECT_TRUE(texts().MDICaption.isEmpty());
    EXPECT_FALSE(texts().SprachZeichensatz.has_value());
    for (const auto& text : texts().OptionsTexte)
        EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(QDir(dir()).entryList(QDir::Files).isEmpty());
}

TEST_F(LanguageTest, ZeroByteFileOrUnusableProgramFolderKeepTheTexts)
{
    presetTexts();
    EXPECT_TRUE(loadFile(3, QByteArray()).isEmpty());
    EXPECT_FALSE(exists(u"Sprache_3.ini"_s));
    write(u"plain"_s, "x");
    ProgramInfo::setDirectoryForTest(file(u"plain"_s));
    EXPECT_TRUE(load(1).isEmpty());
    ProgramInfo::setDirectoryForTest(file(u"gone/away"_s));
    EXPECT_TRUE(load(1).isEmpty());
    expectPresetKept();
    EXPECT_EQ(read(u"plain"_s), QByteArray("x"));
}

TEST_F(LanguageTest, MissingFileFallsBackToTheCurrentLanguageAndRewritesThePath)
{
    write(u"Sprache_2.ini"_s, "[frmMidi]\r\nForm_Caption=two\r\n");
    state().settings.Sprache = 2;
    QString path = file(u"elsewhere.ini"_s);
    QString shown;
    Sprache::Sprache_Laden(path, [&shown](const QString& caption) { shown = caption; });
    EXPECT_EQ(native(path), file(u"Sprache_2.ini"_s));
    EXPECT_EQ(shown, u"two"_s);
}

struct Shipped {
    int number;
    int charset;
    // A text the file must carry, in its own script, and the caption's start.
    const char16_t* title;
    const char16_t* caption;
    // The wording of the one-row layout and of the time between two pages.
    const char16_t* einZeilig;
    const char16_t* wechselZeit;
};

class ShippedLanguage : public LanguageTest, public ::testing::WithParamInterface<Shipped> { };

TEST_P(ShippedLanguage, LoadsAllTextsInItsOwnScript)
{
    const Shipped& lang = GetParam();
    QFile shipped(QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + u"/data/Sprache_%1.ini"_s.arg(lang.number));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray bytes = shipped.readAll();
    // Windows line ends throughout; German with real umlauts in windows-1252.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(lang.number != 0 || bytes.contains("Ausf\xfchrliche Anzeige"));

    EXPECT_EQ(loadFile(lang.number, bytes), QStringList {QString::fromUtf16(lang.caption)});
    EXPECT_EQ(texts().SprachZeichensatz, charset(lang.charset));
    EXPECT_EQ(texts().OptionsTexte[0], QString::fromUtf16(lang.title));
    EXPECT_EQ(texts().OptionsTexte[39], QString::fromUtf16(lang.einZeilig));
    EXPECT_EQ(texts().OptionsTexte[20], QString::fromUtf16(lang.wechselZeit));
    for (int i = 0; i < LanguageTexts::OptionsTextCount; ++i) {
        const QString& text = texts().OptionsTexte[i];
        EXPECT_FALSE(text.trimmed().isEmpty()) << i;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << i;
        EXPECT_FALSE(text.contains(QLatin1Char('"'))) << i;
    }
    // Each file names the eight languages; its own slot is checked by name.
    EXPECT_NE(texts().OptionsTexte[29 + lang.number], u"Benutzerdefiniert"_s) << lang.number;
}

INSTANTIATE_TEST_SUITE_P(Options, ShippedLanguage,
    ::testing::Values(
        Shipped {0, 0, u"Optionen", u"VTX-Scheibenanzeige", u"Einzeilige Darstellung", u"Wechselzeit (s)"},
        Shipped {1, 0, u"Options", u"VTX target display", u"Single row", u"Time per page (s)"},
        Shipped {2, 128, u"オプション", u"VTX 標的表示", u"1行に並べて表示", u"切替時間（秒）"},
        Shipped {3, 204, u"Параметры", u"VTX табло мишеней", u"В одну строку", u"Время смены (с)"},
        Shipped {4, 162, u"Seçenekler", u"VTX hedef göstergesi", u"Tek satır", u"Geçiş süresi (sn)"},
        Shipped {5, 0, u"Options", u"VTX affichage des cibles", u"Sur une ligne", u"Durée par page (s)"},
        Shipped {6, 0, u"Opzioni", u"VTX visualizzazione bersagli", u"Su una riga", u"Tempo di cambio (s)"},
        Shipped {7, 0, u"Options", u"VTX target display", u"Single row", u"Time per page (s)"}));

} // namespace
