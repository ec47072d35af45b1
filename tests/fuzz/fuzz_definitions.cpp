// The definition files: the profile loaders and savers and the three
// sequential readers. The first input byte chooses the reader ('0' to '7'),
// the rest is the file.

#include "FuzzSupport.h"
#include "platform/Dialogs.h"
#include "platform/SequentialFile.h"
#include "target/DefinitionFiles.h"

namespace {

using namespace DefinitionFiles;

struct Records {
    WettbewerbsDaten wettbewerb;
    ScheibenDaten scheibe;
    WaffenDaten waffe;
    KlassenDaten klasse;
};

Records loadProfiles(const QString& path)
{
    Records r;
    HD_Laden(path, r.wettbewerb);
    HS_Laden(path, r.scheibe);
    HW_Laden(path, r.waffe);
    HK_Laden(path, r.klasse);
    // A text key gives a text of at most 254 characters, its key name when
    // the file has nothing for it; a number key a whole number.
    for (const TaggedValue* text : {&r.wettbewerb.Bezeichnung, &r.wettbewerb.Zeit[3], &r.scheibe.Bezeichnung,
             &r.scheibe.DateiName, &r.waffe.Bezeichnung, &r.klasse.RegelNummer}) {
        FUZZ_CHECK(text->isText() && !text->toString().isEmpty() && text->toString().size() <= 254);
    }
    FUZZ_CHECK(r.wettbewerb.SchussZahl.isInteger() && r.scheibe.Probe.isInteger() && r.waffe.AnzeigeRadius.isInteger());
    FUZZ_CHECK(r.wettbewerb.Zusatzfeld.isEmpty());
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int reader = data[0] % 8;
    const bool profile = reader <= 3 || reader == 7;
    const QString path
        = FuzzSupport::writeFile(profile ? QStringLiteral("definition.ini") : QStringLiteral("definition.def"),
            FuzzSupport::bytes(data + 1, size - 1));
    int boxes = 0;
    Dialogs::setMessageHandler([&boxes](const Dialogs::MessageRequest&) { ++boxes; });

    Records r;
    if (profile) {
        r = loadProfiles(path);
    } else {
        try {
            if (reader == 4)
                r.wettbewerb = LadeWettbewerbsDatei(path);
            else if (reader == 5)
                LadeScheibenDaten(path, r.scheibe);
            else
                LadeWaffenDatei(path, r.waffe);
        } catch (const SequentialReadError&) {
        }
    }
    // Every field converts to text (the savers write each one, into the very
    // file the profiles came from), to a number and to a flag.
    const QString saved = profile ? path : FuzzSupport::writeFile(QStringLiteral("saved.ini"), QByteArray());
    HD_Speichern(saved, r.wettbewerb);
    HS_Speichern(saved, r.scheibe);
    HW_Speichern(saved, r.waffe);
    HK_Speichern(saved, r.klasse);
    for (const TaggedValue* field : {&r.wettbewerb.SchussZahl, &r.wettbewerb.Zeit[0], &r.scheibe.Probe,
             &r.scheibe.Ringbreite, &r.scheibe.ZoomLevels, &r.waffe.AnzeigeRadius, &r.klasse.AlterMax}) {
        FUZZ_CHECK(!field->isEmpty() || (field->toString().isEmpty() && field->toDouble() == 0 && !field->toBool()));
    }
    if (reader == 7) {
        // Numbers are whole numbers already; they survive the save.
        const Records again = loadProfiles(path);
        FUZZ_CHECK(again.wettbewerb.SchussZahl == r.wettbewerb.SchussZahl && again.scheibe.Probe == r.scheibe.Probe
            && again.waffe.AnzeigeRadius == r.waffe.AnzeigeRadius && again.klasse.AlterMax == r.klasse.AlterMax);
    }
    Dialogs::setMessageHandler(nullptr);
    // The file exists: no reader has anything to tell the operator.
    FUZZ_CHECK(boxes == 0);
    return 0;
}
