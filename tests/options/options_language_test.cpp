#include "options/OptionsTextTable.h"
#include "options/Sprache.h"
#include "options_program_folder.h"

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

TEST_F(LanguageTest, DateiPruefenReportsLengthAndRemovesEmptyFiles)
{
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("missing.ini"))), 0);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("missing.ini"))));

    write(QStringLiteral("empty.ini"), QByteArray());
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("empty.ini"))), 0);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("empty.ini"))));

    write(QStringLiteral("full.ini"), QByteArray("[a]\r\nb=c\r\n"));
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("full.ini"))), 10);
    EXPECT_EQ(read(QStringLiteral("full.ini")), QByteArray("[a]\r\nb=c\r\n"));
}

TEST_F(LanguageTest, DateiPruefenGivesMinusOneWhenTheFileCannotBeOpened)
{
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("no/such/folder/Sprache_1.ini"))), -1);
    write(QStringLiteral("plain"), QByteArray("x"));
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("plain/Sprache_1.ini"))), -1);
    QDir(dir()).mkdir(QStringLiteral("folder.ini"));
    EXPECT_EQ(Sprache::DateiPruefen(file(QStringLiteral("folder.ini"))), -1);
    EXPECT_EQ(Sprache::DateiPruefen(QString()), -1);
}

TEST_F(LanguageTest, FileNameFollowsTheLanguageNumber)
{
    EXPECT_EQ(QDir::fromNativeSeparators(Sprache::dateiFuer(1)), dir() + QStringLiteral("/Sprache_1.ini"));
    EXPECT_EQ(QDir::fromNativeSeparators(Sprache::dateiFuer(7)), dir() + QStringLiteral("/Sprache_7.ini"));
    // A file whose name differs in letter case is found.
    write(QStringLiteral("SPRACHE_5.INI"), QByteArray("x"));
    EXPECT_EQ(QDir::fromNativeSeparators(Sprache::dateiFuer(5)), dir() + QStringLiteral("/SPRACHE_5.INI"));
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
    EXPECT_EQ(texts().OptionsTexte[0], QStringLiteral("Optionen"));
    EXPECT_EQ(texts().OptionsTexte[7], QStringLiteral("Ausfuehrliche Anzeige"));
    EXPECT_EQ(texts().OptionsTexte[16], QStringLiteral("Telvox V1.0-V3.9"));
    EXPECT_EQ(texts().OptionsTexte[33], QStringLiteral("tuerkisch"));
    EXPECT_EQ(texts().OptionsTexte[34], QStringLiteral("Benutzerdefiniert"));
    EXPECT_EQ(texts().OptionsTexte[54], QStringLiteral("WerbungUebernehmen"));
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
    const QString caption = QStringLiteral("VTX Табло мишеней");
    const QString title = QStringLiteral("Параметры");
    QByteArray bytes = "[Zeichensatz]\r\nOMRCharset=204\r\n[frmMidi]\r\nForm_Caption=";
    // Hand-encoded windows-1251, so the test does not rely on the decoder it checks.
    bytes += QByteArray::fromHex("565458") + ' ' + QByteArray::fromHex("d2e0e1ebee20ece8f8e5ede5e9");
    bytes += "\r\n[Options]\r\nForm_Caption=" + QByteArray::fromHex("cfe0f0e0ece5f2f0fb") + "\r\n";
    write(QStringLiteral("Sprache_3.ini"), bytes);

    load(3);
    EXPECT_EQ(texts().SprachZeichensatz, std::optional<std::uint8_t>(204));
    EXPECT_EQ(texts().MDICaption, caption);
    EXPECT_EQ(texts().OptionsTexte[0], title);
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
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("Sprache_3.ini"))));
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
    EXPECT_EQ(QDir::fromNativeSeparators(path), dir() + QStringLiteral("/Sprache_2.ini"));
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

} // namespace
