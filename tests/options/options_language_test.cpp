#include "options/OptionsTextTable.h"
#include "options/Sprache.h"
#include "support/ProgramFolder.h"

#include <QStringList>

#include <optional>

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
    const LanguageTexts& texts() const { return state().language; }
    void presetTexts()
    {
        auto& language = state().language;
        language.SprachZeichensatz = 7;
        language.MDICaption = QStringLiteral("before");
        for (auto& text : language.OptionsTexte)
            text = QStringLiteral("old");
    }
    void expectPresetKept()
    {
        EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(7));
        EXPECT_EQ(texts().MDICaption, QStringLiteral("before"));
        for (const auto& text : texts().OptionsTexte)
            EXPECT_EQ(text, QStringLiteral("old"));
    }
};

TEST_F(LanguageTest, DateiPruefenReportsTheLengthOrMinusOneAndRemovesEmptyFiles)
{
    const QByteArray full = "[a]\r\nb=c\r\n";
    write(QStringLiteral("empty.ini"), QByteArray());
    write(QStringLiteral("full.ini"), full);
    write(QStringLiteral("plain"), QByteArray("x"));
    QDir(dir()).mkdir(QStringLiteral("folder.ini"));
    const std::pair<const char*, int> cases[] = {{"missing.ini", 0}, {"empty.ini", 0}, {"full.ini", 10},
        {"no/such/folder/Sprache_1.ini", -1}, {"plain/Sprache_1.ini", -1}, {"folder.ini", -1}};
    for (const auto& [name, length] : cases)
        EXPECT_EQ(Sprache::DateiPruefen(file(QLatin1String(name))), length) << name;
    EXPECT_EQ(Sprache::DateiPruefen(QString()), -1);
    EXPECT_FALSE(exists(QStringLiteral("missing.ini")));
    EXPECT_FALSE(exists(QStringLiteral("empty.ini")));
    EXPECT_EQ(read(QStringLiteral("full.ini")), full);
}

TEST_F(LanguageTest, FileNameFollowsTheLanguageNumber)
{
    EXPECT_EQ(native(Sprache::dateiFuer(1)), file(QStringLiteral("Sprache_1.ini")));
    EXPECT_EQ(native(Sprache::dateiFuer(7)), file(QStringLiteral("Sprache_7.ini")));
    // A file whose name differs in letter case is found.
    write(QStringLiteral("SPRACHE_5.INI"), QByteArray("x"));
    EXPECT_EQ(native(Sprache::dateiFuer(5)), file(QStringLiteral("SPRACHE_5.INI")));
}

TEST_F(LanguageTest, FileWithOnlyTheCharsetGivesTheBuiltInTexts)
{
    write(QStringLiteral("Sprache_1.ini"), QByteArray("[Zeichensatz]\r\nOMRCharset=0\r\n"));
    const QStringList captions = load(1);

    EXPECT_EQ(captions, QStringList {QStringLiteral("VTX-VANTORI")});
    EXPECT_EQ(texts().MDICaption, QStringLiteral("VTX-VANTORI"));
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(0));
    const auto& entries = OptionsTextTable::entries();
    for (int i = 0; i < OptionsTextTable::Count; ++i)
        EXPECT_EQ(texts().OptionsTexte[i], QString(entries[i].defaultText)) << i;
    const std::pair<int, const char*> samples[] = {{0, "Optionen"}, {7, "Ausfuehrliche Anzeige"},
        {16, "Telvox V1.0-V3.9"}, {33, "tuerkisch"}, {34, "Benutzerdefiniert"}, {54, "WerbungUebernehmen"}};
    for (const auto& [index, text] : samples)
        EXPECT_EQ(texts().OptionsTexte[index], QLatin1String(text));
}

TEST_F(LanguageTest, TableHasFiftyFiveDistinctKeysAndReceivers)
{
    QStringList keys;
    QStringList controls;
    for (const auto& entry : OptionsTextTable::entries()) {
        keys.append(QString(entry.key).toLower());
        controls.append(QString(entry.control));
    }
    EXPECT_EQ(keys.size(), 55);
    EXPECT_EQ(keys.removeDuplicates(), 0);
    EXPECT_EQ(controls.removeDuplicates(), 0);
    EXPECT_EQ(controls.first(), QString());
}

TEST_F(LanguageTest, CyrillicFileIsDecodedWithItsCharset)
{
    QByteArray bytes = "[Zeichensatz]\r\nOMRCharset=204\r\n[frmMidi]\r\nForm_Caption=";
    // Hand-encoded windows-1251, so the test does not rely on the decoder it checks.
    bytes += QByteArray::fromHex("565458") + ' ' + QByteArray::fromHex("d2e0e1ebee20ece8f8e5ede5e9");
    bytes += "\r\n[Options]\r\nForm_Caption=" + QByteArray::fromHex("cfe0f0e0ece5f2f0fb") + "\r\n";
    write(QStringLiteral("Sprache_3.ini"), bytes);

    load(3);
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(204));
    EXPECT_EQ(texts().MDICaption, QStringLiteral("VTX Табло мишеней"));
    EXPECT_EQ(texts().OptionsTexte[0], QStringLiteral("Параметры"));
    EXPECT_EQ(texts().OptionsTexte[1], QStringLiteral("Anzeige"));
}

TEST_F(LanguageTest, LongValuesAreCutTo254Characters)
{
    const QByteArray value(300, 'x');
    write(
        QStringLiteral("Sprache_1.ini"), "[Options]\r\nchkAnfEnd=" + value + "\r\n[frmMidi]\r\nForm_Caption=" + value);
    load(1);
    EXPECT_EQ(texts().OptionsTexte[12], QString(254, QLatin1Char('x')));
    EXPECT_EQ(texts().MDICaption.size(), 254);
}

TEST_F(LanguageTest, ZeroByteFileIsDeletedAndTheTextsStay)
{
    presetTexts();
    write(QStringLiteral("Sprache_3.ini"), QByteArray());
    EXPECT_TRUE(load(3).isEmpty());
    EXPECT_FALSE(exists(QStringLiteral("Sprache_3.ini")));
    expectPresetKept();
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

TEST_F(LanguageTest, MissingFileFallsBackToTheCurrentLanguageAndRewritesThePath)
{
    write(QStringLiteral("Sprache_2.ini"), QByteArray("[frmMidi]\r\nForm_Caption=two\r\n"));
    state().settings.Sprache = 2;
    QString path = file(QStringLiteral("elsewhere.ini"));
    QString shown;
    Sprache::Sprache_Laden(path, [&shown](const QString& caption) { shown = caption; });
    EXPECT_EQ(native(path), file(QStringLiteral("Sprache_2.ini")));
    EXPECT_EQ(shown, QStringLiteral("two"));
}

TEST_F(LanguageTest, CharsetThatIsNoByteKeepsThePreviousOne)
{
    for (const char* text : {"abc", "300", "-1", ""}) {
        state().language.SprachZeichensatz = 162;
        write(QStringLiteral("Sprache_1.ini"), QByteArray("[Zeichensatz]\r\nOMRCharset=") + text + "\r\n");
        load(1);
        EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(162)) << text;
    }
    write(QStringLiteral("Sprache_1.ini"), QByteArray("[zeichensatz]\r\nomrcharset= 204 \r\n"));
    load(1);
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(204));
}

TEST_F(LanguageTest, BinaryContentGivesTheBuiltInTexts)
{
    QByteArray bytes;
    for (int i = 0; i < 2048; ++i)
        bytes.append(static_cast<char>((i * 37 + 11) % 256));
    write(QStringLiteral("Sprache_1.ini"), bytes);
    const QStringList captions = load(1);
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(texts().OptionsTexte[0], QStringLiteral("Optionen"));
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(1));
}

TEST_F(LanguageTest, MissingSectionsGiveDefaultsPerKey)
{
    write(
        QStringLiteral("Sprache_1.ini"), QByteArray("[OPTIONS]\r\nform_caption=Options\r\nchkblaettern = Paging \r\n"));
    load(1);
    EXPECT_EQ(texts().MDICaption, QStringLiteral("VTX-VANTORI"));
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(1));
    EXPECT_EQ(texts().OptionsTexte[0], QStringLiteral("Options"));
    EXPECT_EQ(texts().OptionsTexte[18], QStringLiteral("Paging"));
    EXPECT_EQ(texts().OptionsTexte[19], QStringLiteral("Scheiben Pro Seite"));
}

TEST_F(LanguageTest, UnusableProgramFolderLoadsNothing)
{
    presetTexts();
    write(QStringLiteral("plain"), QByteArray("x"));
    ProgramInfo::setDirectoryForTest(file(QStringLiteral("plain")));
    EXPECT_TRUE(load(1).isEmpty());
    ProgramInfo::setDirectoryForTest(file(QStringLiteral("gone/away")));
    EXPECT_TRUE(load(1).isEmpty());
    expectPresetKept();
    EXPECT_EQ(read(QStringLiteral("plain")), QByteArray("x"));
}

// --- the language files shipped with the program ---

struct Shipped {
    int number;
    int charset;
    // A text the file must carry, in its own script, and the caption's start.
    const char16_t* title;
    const char16_t* caption;
};

class ShippedLanguage : public LanguageTest, public ::testing::WithParamInterface<Shipped> { };

TEST_P(ShippedLanguage, LoadsAllTextsInItsOwnScript)
{
    const Shipped& lang = GetParam();
    QFile shipped(
        QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + QStringLiteral("/data/Sprache_%1.ini").arg(lang.number));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray bytes = shipped.readAll();
    // Windows line ends throughout; German with real umlauts in windows-1252.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(lang.number != 0 || bytes.contains("Ausf\xfchrliche Anzeige"));
    write(QStringLiteral("Sprache_%1.ini").arg(lang.number), bytes);

    EXPECT_EQ(load(lang.number), QStringList {QString::fromUtf16(lang.caption)});
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(lang.charset));
    EXPECT_EQ(texts().OptionsTexte[0], QString::fromUtf16(lang.title));
    for (int i = 0; i < LanguageTexts::OptionsTextCount; ++i) {
        const QString& text = texts().OptionsTexte[i];
        EXPECT_FALSE(text.trimmed().isEmpty()) << i;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << i;
        EXPECT_FALSE(text.contains(QLatin1Char('"'))) << i;
    }
    // Each file names the eight languages; its own slot is checked by name.
    EXPECT_NE(texts().OptionsTexte[29 + lang.number], QStringLiteral("Benutzerdefiniert")) << lang.number;
}

INSTANTIATE_TEST_SUITE_P(Options, ShippedLanguage,
    ::testing::Values(Shipped {0, 0, u"Optionen", u"VTX-Scheibenanzeige"},
        Shipped {1, 0, u"Options", u"VTX target display"}, Shipped {2, 128, u"オプション", u"VTX 標的表示"},
        Shipped {3, 204, u"Параметры", u"VTX табло мишеней"}, Shipped {4, 162, u"Seçenekler", u"VTX hedef göstergesi"},
        Shipped {5, 0, u"Options", u"VTX affichage des cibles"},
        Shipped {6, 0, u"Opzioni", u"VTX visualizzazione bersagli"},
        Shipped {7, 0, u"Options", u"VTX target display"}));

} // namespace
