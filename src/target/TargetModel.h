#pragma once

#include "target/TargetRecords.h"

#include <QString>

#include <array>
#include <cstdint>

struct Einstellungen;

// The captions of the target window's labels. The window owns them as state:
// TextBelegen fills only some of them and leaves the others as they are.
struct LabelCaptions {
    QString lblName;
    QString lblTitelName = QStringLiteral("T-Name");
    QString lblNr = QStringLiteral("00");
    QString lblRingwert;
    QString lblGesamt;
    QString lblSchussNr;
    QString lblPlatz;
    QString lblErgebnis = QStringLiteral("00");
    std::array<QString, 6> lblSerie;
};

// The state and logic of one lane's target window, without any widget: the
// records, the drawing state of the face, the public variables the shell sets
// by name, and the label captions.
class TargetModel {
public:
    static constexpr double ProbeWahr = -1; // the sighting flag holds -1 when true

    TargetRecords records;

    // Drawing state, in target units.
    double SichtBreite = 0;
    double VolleBreite = 0;
    double RandProzent = 5;
    double KartonProzent = 90;
    double Rand = 0;
    double KartonGroesse = 0;
    double MitteX = 0;
    double MitteY = 0;

    double Scheibe_ZoomNummer = 0;
    int LinienNr = 0;
    QString gTitelName;
    std::int16_t Platz = 0;
    QString DisziplinNr;

    LabelCaptions captions;

    // Parses "lane$discipline$name", loads the discipline and starts a new
    // shooter in sighting mode. True when every step ran (the window then
    // redraws); false when a step failed and the rest was skipped.
    bool Init(const QString& pNachricht);
    // New shooter of the 2002 protocol: name, sets and series captions reset.
    void Init2002();
    void SetProbe(bool pProbe);
    // Reads the results file; false when it is missing or broke off.
    bool LadeErgebnisse(const QString& datei);

    // Per-discipline files beside the program. Throws SequentialReadError when
    // the competition file is short (its record then stays as it was) or the
    // target or weapon file it names is missing or short.
    void LadeDisziplin(const QString& disziplinNr);
    // Reads the sequential target file and ends sighting mode.
    TaggedValue ScheibenSelection(const QString& pDatei, const TaggedValue& pScheibenArt = {});
    // Reads the sequential target file and resets the zoom from its card.
    void LadeScheibenDaten(const QString& datei);

    void HD_Laden(const QString& datei);
    void HD_Speichern(const QString& datei) const;
    void HS_Laden(const QString& datei);
    void HS_Speichern(const QString& datei) const;
    void HW_Laden(const QString& datei);
    void HW_Speichern(const QString& datei) const;
    void HK_Laden(const QString& datei);
    void HK_Speichern(const QString& datei) const;

    // The window's load event, apart from showing the lane number: discipline,
    // zoom by the AutoZoom rule and the derived geometry. A short competition
    // file, or a missing or short target or weapon file, leaves what was read
    // and goes on with the zoom.
    void Laden(const Einstellungen& settings);

    // Steps 2 and 3 of every repaint: the zoom recomputed from step 0.
    void zoomForPaint(const Einstellungen& settings);

    bool probe() const { return records.Scheibe.Probe.toBool(); }
};
