#include "options/Sprache.h"
#include "options_program_folder.h"

#include <QRegularExpression>

#include <optional>

namespace {

struct Shipped {
    int number;
    int charset;
    // A text the file must carry, in its own script, and the caption's start.
    const char16_t* title;
    const char16_t* caption;
};

class ShippedLanguage : public ProgramFolderTest, public ::testing::WithParamInterface<Shipped> {
protected:
    QByteArray shippedFile(int n) const
    {
        QFile f(QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + QStringLiteral("/data/Sprache_%1.ini").arg(n));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_P(ShippedLanguage, LoadsAllTextsInItsOwnScript)
{
    const Shipped& lang = GetParam();
    const QByteArray bytes = shippedFile(lang.number);
    ASSERT_FALSE(bytes.isEmpty());
    // Windows line ends throughout.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    write(QStringLiteral("Sprache_%1.ini").arg(lang.number), bytes);

    state().settings.Sprache = static_cast<std::uint8_t>(lang.number);
    QString path = Sprache::dateiFuer(lang.number);
    QString caption;
    Sprache::Sprache_Laden(path, [&caption](const QString& text) { caption = text; });

    EXPECT_EQ(state().language.SprachZeichensatz, std::optional<std::uint8_t>(lang.charset));
    EXPECT_EQ(caption, QString::fromUtf16(lang.caption));
    EXPECT_EQ(state().language.OptionsTexte[0], QString::fromUtf16(lang.title));
    for (int i = 0; i < LanguageTexts::OptionsTextCount; ++i) {
        const QString& text = state().language.OptionsTexte[i];
        EXPECT_FALSE(text.trimmed().isEmpty()) << i;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << i;
        EXPECT_FALSE(text.contains(QLatin1Char('"'))) << i;
    }
    // Each file names the eight languages; its own slot is checked by name.
    const QString ownLanguage = state().language.OptionsTexte[29 + lang.number];
    EXPECT_NE(ownLanguage, QStringLiteral("Benutzerdefiniert")) << lang.number;
}

INSTANTIATE_TEST_SUITE_P(Options, ShippedLanguage,
    ::testing::Values(Shipped {0, 0, u"Optionen", u"VTX-Scheibenanzeige"},
        Shipped {1, 0, u"Options", u"VTX target display"}, Shipped {2, 128, u"オプション", u"VTX 標的表示"},
        Shipped {3, 204, u"Параметры", u"VTX табло мишеней"}, Shipped {4, 162, u"Seçenekler", u"VTX hedef göstergesi"},
        Shipped {5, 0, u"Options", u"VTX affichage des cibles"},
        Shipped {6, 0, u"Opzioni", u"VTX visualizzazione bersagli"},
        Shipped {7, 0, u"Options", u"VTX target display"}));

TEST(ShippedLanguages, GermanFileUsesRealUmlauts)
{
    QFile f(QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR")) + QStringLiteral("/data/Sprache_0.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("Ausf\xfchrliche Anzeige")); // windows-1252 ü
}

} // namespace
