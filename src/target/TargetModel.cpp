#include "target/TargetModel.h"

#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "platform/SequentialFile.h"
#include "platform/VbNumbers.h"
#include "shell/Einstellungen.h"
#include "target/DefinitionFiles.h"
#include "target/ResultsFile.h"
#include "target/TargetZoom.h"

#include <QLocale>

namespace {

// The lane field of an announcement must be a number that fits a byte; it is
// checked and then dropped.
bool isLaneNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && VbNumbers::toUInt8(value).has_value();
}

// Names in the competition file use "\" and may differ in case from the disk.
QString besideProgram(const QString& name)
{
    const QString dir = ProgramInfo::directory();
    return FileLookup::resolveInside(dir, name).value_or(FileLookup::join(dir, name));
}

void resetSet(SchussSatz& satz)
{
    satz.LetzterIndex = -1;
    satz.SchussNummer = 0;
    satz.Gesamt = 0;
}

} // namespace

bool TargetModel::Init(const QString& pNachricht)
{
    const qsizetype first = pNachricht.indexOf(QLatin1Char('$'));
    if (first < 0)
        return false;
    if (!isLaneNumber(pNachricht.left(first)))
        return false;
    const QString rest = pNachricht.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char('$'));
    if (second < 0)
        return false;
    DisziplinNr = rest.left(second);
    records.SchuetzenName = TaggedValue(rest.mid(second + 1));
    try {
        LadeDisziplin(DisziplinNr);
    } catch (const SequentialReadError&) {
        return false;
    }
    resetSet(records.AktuellerSatz);
    records.Scheibe.Probe = TaggedValue(static_cast<std::int32_t>(ProbeWahr));
    return true;
}

void TargetModel::Init2002()
{
    records.SchuetzenName = TaggedValue(QString());
    resetSet(records.AktuellerSatz);
    resetSet(records.ProbeSatz);
    resetSet(records.MatchSatz);
    records.Scheibe.Probe = TaggedValue(static_cast<std::int32_t>(ProbeWahr));
    for (QString& caption : captions.lblSerie)
        caption.clear();
}

void TargetModel::SetProbe(bool pProbe)
{
    records.Scheibe.Probe = TaggedValue(static_cast<std::int32_t>(pProbe ? ProbeWahr : 0));
    records.AktuellerSatz = pProbe ? records.ProbeSatz : records.MatchSatz;
}

bool TargetModel::LadeErgebnisse(const QString& datei)
{
    return ResultsFile::LadeErgebnisse(datei, records);
}

void TargetModel::LadeDisziplin(const QString& disziplinNr)
{
    const QString path = FileLookup::join(ProgramInfo::directory(), DefinitionFiles::wettbewerbsDateiFuer(disziplinNr));
    records.Wettbewerb = DefinitionFiles::LadeWettbewerbsDatei(path);

    const QString scheibe = records.Wettbewerb.DateiScheibe.toString();
    if (!scheibe.isEmpty())
        ScheibenSelection(besideProgram(scheibe));

    const QString waffe = records.Wettbewerb.DateiWaffe.toString();
    if (!waffe.isEmpty())
        DefinitionFiles::LadeWaffenDatei(besideProgram(waffe), records.Waffe);
}

TaggedValue TargetModel::ScheibenSelection(const QString& pDatei, const TaggedValue& pScheibenArt)
{
    Q_UNUSED(pScheibenArt)
    LadeScheibenDaten(pDatei);
    records.Scheibe.Probe = TaggedValue(static_cast<std::int32_t>(0));
    return {};
}

void TargetModel::LadeScheibenDaten(const QString& datei)
{
    Scheibe_ZoomNummer = 0;
    DefinitionFiles::LadeScheibenDaten(datei, records.Scheibe);
    records.Scheibe.OffsetX = TaggedValue(static_cast<std::int32_t>(0));
    records.Scheibe.OffsetY = TaggedValue(static_cast<std::int32_t>(0));
    VolleBreite = records.Scheibe.KartonBreite.toDouble();
    SichtBreite = VolleBreite;
    KartonProzent = 90;
    RandProzent = static_cast<int>((100 - KartonProzent) / 2);
}

void TargetModel::HD_Laden(const QString& datei)
{
    DefinitionFiles::HD_Laden(datei, records.Wettbewerb);
}

void TargetModel::HD_Speichern(const QString& datei) const
{
    DefinitionFiles::HD_Speichern(datei, records.Wettbewerb);
}

void TargetModel::HS_Laden(const QString& datei)
{
    DefinitionFiles::HS_Laden(datei, records.Scheibe);
}

void TargetModel::HS_Speichern(const QString& datei) const
{
    DefinitionFiles::HS_Speichern(datei, records.Scheibe);
}

void TargetModel::HW_Laden(const QString& datei)
{
    DefinitionFiles::HW_Laden(datei, records.Waffe);
}

void TargetModel::HW_Speichern(const QString& datei) const
{
    DefinitionFiles::HW_Speichern(datei, records.Waffe);
}

void TargetModel::HK_Laden(const QString& datei)
{
    DefinitionFiles::HK_Laden(datei, records.Klasse);
}

void TargetModel::HK_Speichern(const QString& datei) const
{
    DefinitionFiles::HK_Speichern(datei, records.Klasse);
}

void TargetModel::Laden(const Einstellungen& settings)
{
    gTitelName.clear();
    try {
        LadeDisziplin(DisziplinNr);
    } catch (const SequentialReadError&) {
        // The window still opens, with whatever definitions were read.
    }
    if (settings.AutoZoom != 1) {
        Scheibe_ZoomNummer = 0;
        TargetZoom::Zoom(*this, true, settings);
    } else {
        TargetZoom::Zoom(*this, false, settings);
    }
    TargetZoom::Scheibe_ZoomBerechnen(*this);
}

void TargetModel::zoomForPaint(const Einstellungen& settings)
{
    Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(*this, false, settings);
    TargetZoom::Scheibe_ZoomBerechnen(*this);
}
