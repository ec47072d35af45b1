#pragma once

#include "shell/Einstellungen.h"
#include "target/TargetModel.h"

#include <QPalette>
#include <QSize>

#include <memory>

// One lane's state as a plain value, taken on the user-interface thread and
// handed to the web server's thread. It holds only what the page draws: the
// definitions the face is drawn from, the shooter, the current shot set, the
// drawing state and the captions of the window's model (not the sighting and
// match sets behind the current one), the window's size, and the settings and
// colours, which all lanes of one hand-over share.
struct LaneSnapshot {
    struct Look {
        Einstellungen settings;
        QPalette palette;
    };

    int lane = 0;
    QSize window;
    std::shared_ptr<const Look> look;

    WettbewerbsDaten wettbewerb;
    ScheibenDaten scheibe;
    WaffenDaten waffe;
    TaggedValue schuetzenName;
    SchussSatz satz;
    double sichtBreite = 0;
    double volleBreite = 0;
    double randProzent = 0;
    double kartonProzent = 0;
    double rand = 0;
    double kartonGroesse = 0;
    double mitteX = 0;
    double mitteY = 0;
    double zoomNummer = 0;
    int linienNr = 0;
    QString gTitelName;
    std::int16_t platz = 0;
    QString disziplinNr;
    LabelCaptions captions;

    static LaneSnapshot of(int lane, const TargetModel& model, QSize window, std::shared_ptr<const Look> look);
    void take(const TargetModel& model);
    // Into a model kept for the lane, whose other sets stay as they are.
    void applyTo(TargetModel& model) const;
};
