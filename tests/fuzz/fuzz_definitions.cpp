// The definition files: the profile loaders (and savers) and the three
// sequential readers. The first input byte chooses the reader ('0' to '7'),
// the rest is the file.

#include "FuzzSupport.h"
#include "platform/Dialogs.h"
#include "platform/SequentialFile.h"
#include "target/DefinitionFiles.h"

#include <initializer_list>

namespace {

using namespace DefinitionFiles;

// Every field converts to text and number, whatever the file put there.
void touch(std::initializer_list<const TaggedValue*> fields)
{
    for (const TaggedValue* field : fields) {
        const QString text = field->toString();
        const double number = field->toDouble();
        const bool flag = field->toBool();
        FUZZ_CHECK(!field->isEmpty() || (text.isEmpty() && number == 0 && !flag));
    }
}

void touch(const WettbewerbsDaten& d)
{
    touch({&d.Bezeichnung, &d.KennNummer, &d.Zusatzfeld, &d.RegelNummer, &d.WertungsRadius, &d.MaximalerDurchmesser,
        &d.MinimalerDurchmesser, &d.SchussZahl, &d.ProbeSchuesse, &d.SchiessZeit, &d.ProbeZeit, &d.Wertung,
        &d.SchiessPosition, &d.Serienlaenge, &d.DateiWaffe, &d.DateiScheibe, &d.ZeitenAnzahl, &d.SchussAnzahl,
        &d.PositionsAnzahl, &d.SerienAnzahl});
    for (int n = 0; n < 4; ++n)
        touch({&d.Zeit[n], &d.SchussZahlen[n], &d.Position[n], &d.Serien[n]});
}

void touch(const ScheibenDaten& d)
{
    touch({&d.Bezeichnung, &d.ScheibenArt, &d.KennNummer, &d.AussenRadius, &d.SpiegelRadius, &d.ZehnerRadius,
        &d.ZehnerRingStyle, &d.InnenZehnerRadius, &d.InnenZehnerRingStyle, &d.InnenKreuzRadius, &d.InnenKreuzWinkel,
        &d.VorhalteSpiegelRadius, &d.VorhalteAbstand, &d.Ringbreite, &d.RingMin, &d.RingMax, &d.RingAnzahl,
        &d.RingNummerWinkel, &d.KartonBreite, &d.KartonHoehe, &d.Probe, &d.BandVorschub, &d.HinterGrundBildDatei,
        &d.ZoomZentrumX, &d.ZoomZentrumY, &d.ZoomLevels, &d.OffsetX, &d.OffsetY, &d.DateiName});
}

void touch(const WaffenDaten& d)
{
    touch({&d.Bezeichnung, &d.KennNummer, &d.AnzeigeRadius, &d.Durchmesser, &d.Kaliber, &d.MikrofonEinstellung});
}

void touch(const KlassenDaten& d)
{
    touch({&d.Bezeichnung, &d.KennNummer, &d.AlterMax, &d.AlterMin, &d.KlassenNummer, &d.RegelNummer});
}

// A text key of a profile file gives a text of at most 254 characters, its
// key name when the file has nothing for it.
void checkProfileText(const TaggedValue& value)
{
    FUZZ_CHECK(value.isText());
    FUZZ_CHECK(!value.toString().isEmpty() && value.toString().size() <= 254);
}

struct Records {
    WettbewerbsDaten wettbewerb;
    ScheibenDaten scheibe;
    WaffenDaten waffe;
    KlassenDaten klasse;
};

void loadProfiles(const QString& path, Records& r)
{
    HD_Laden(path, r.wettbewerb);
    HS_Laden(path, r.scheibe);
    HW_Laden(path, r.waffe);
    HK_Laden(path, r.klasse);
    checkProfileText(r.wettbewerb.Bezeichnung);
    checkProfileText(r.wettbewerb.Zeit[3]);
    FUZZ_CHECK(r.wettbewerb.SchussZahl.isInteger());
    FUZZ_CHECK(r.wettbewerb.Zusatzfeld.isEmpty());
    checkProfileText(r.scheibe.DateiName);
    FUZZ_CHECK(r.scheibe.Probe.isInteger());
    checkProfileText(r.waffe.Bezeichnung);
    FUZZ_CHECK(r.waffe.AnzeigeRadius.isInteger());
    checkProfileText(r.klasse.RegelNummer);
    touch(r.wettbewerb);
    touch(r.scheibe);
    touch(r.waffe);
    touch(r.klasse);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int reader = data[0] % 8;
    const QByteArray content = FuzzSupport::bytes(data + 1, size - 1);
    int boxes = 0;
    Dialogs::setMessageHandler([&boxes](const Dialogs::MessageRequest&) { ++boxes; });

    if (reader <= 3) {
        const QString path = FuzzSupport::writeFile(QStringLiteral("definition.ini"), content);
        Records r;
        switch (reader) {
        case 0:
            HD_Laden(path, r.wettbewerb);
            checkProfileText(r.wettbewerb.Bezeichnung);
            touch(r.wettbewerb);
            break;
        case 1:
            HS_Laden(path, r.scheibe);
            checkProfileText(r.scheibe.Bezeichnung);
            touch(r.scheibe);
            break;
        case 2:
            HW_Laden(path, r.waffe);
            checkProfileText(r.waffe.Bezeichnung);
            touch(r.waffe);
            break;
        default:
            HK_Laden(path, r.klasse);
            checkProfileText(r.klasse.Bezeichnung);
            touch(r.klasse);
            break;
        }
    } else if (reader == 7) {
        // All four records from one file, saved back into it and loaded again.
        const QString path = FuzzSupport::writeFile(QStringLiteral("definition.ini"), content);
        Records first;
        loadProfiles(path, first);
        HD_Speichern(path, first.wettbewerb);
        HS_Speichern(path, first.scheibe);
        HW_Speichern(path, first.waffe);
        HK_Speichern(path, first.klasse);
        Records second;
        loadProfiles(path, second);
        // Numbers are whole numbers already; they survive the save.
        FUZZ_CHECK(second.wettbewerb.SchussZahl == first.wettbewerb.SchussZahl);
        FUZZ_CHECK(second.scheibe.Probe == first.scheibe.Probe);
        FUZZ_CHECK(second.waffe.AnzeigeRadius == first.waffe.AnzeigeRadius);
        FUZZ_CHECK(second.klasse.AlterMax == first.klasse.AlterMax);
    } else {
        const QString path = FuzzSupport::writeFile(QStringLiteral("definition.def"), content);
        switch (reader) {
        case 4:
            try {
                touch(LadeWettbewerbsDatei(path));
            } catch (const SequentialReadError&) {
            }
            break;
        case 5: {
            ScheibenDaten d;
            try {
                LadeScheibenDaten(path, d);
            } catch (const SequentialReadError&) {
            }
            touch(d);
            break;
        }
        default: {
            WaffenDaten d;
            try {
                LadeWaffenDatei(path, d);
            } catch (const SequentialReadError&) {
            }
            touch(d);
            break;
        }
        }
    }
    Dialogs::setMessageHandler(nullptr);
    // The file exists: no reader has anything to tell the operator.
    FUZZ_CHECK(boxes == 0);
    return 0;
}
