// A results file taken the whole way a message of type 1 takes it: loaded
// into a lane's model, zoomed, drawn and labelled. The reader accepts any
// value that fits its fields; drawing and labels must cope with all of them.
// The last input byte sets the display options.

#include "FuzzSupport.h"
#include "platform/RecordingCanvas.h"
#include "shell/ProgramState.h"
#include "target/TargetLabels.h"
#include "target/TargetModel.h"
#include "target/TargetPainter.h"
#include "target/TargetZoom.h"

#include <QPalette>

#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProgramState::reset();
    Einstellungen& settings = ProgramState::instance().settings;
    const unsigned options = size == 0 ? 0u : data[size - 1];
    using E = Einstellungen;
    // Bit 1 numbers the shots, in the place of the always-on enlargement.
    std::uint8_t E::*const bits[] = {&E::Trefferkreuze, &E::TrefferVergroessern, &E::Trefferkreise, &E::MittlereLage,
        &E::SerienAnzeige, &E::AusfAnzeige, &E::ZehntelAnzeige, &E::AutoZoom};
    for (int bit = 0; bit < 8; ++bit)
        settings.*bits[bit] = (options >> bit) & 1u;
    settings.Nummeriert = std::exchange(settings.TrefferVergroessern, std::uint8_t(1));

    const QString path = FuzzSupport::writeFile(QStringLiteral("ergebnis.txt"), FuzzSupport::bytes(data, size));
    TargetModel model;
    model.VolleBreite = model.SichtBreite = 1000;
    if (!model.LadeErgebnisse(path))
        return 0;
    // A window whose definitions came from the results file alone.
    model.VolleBreite = model.records.Scheibe.KartonBreite.toDouble();
    model.SichtBreite = model.VolleBreite;

    TargetZoom::Zoom(model, true, settings);
    model.zoomForPaint(settings);
    RecordingCanvas canvas(400, 400);
    TargetPainter::ZeichneScheibe(canvas, model, settings, QPalette());
    TargetLabels::TextBelegen(model, settings);
    TargetLabels::paintTimeLabels(model, settings);
    TargetLabels::TextPositionieren(TargetLabels::LabelLayout {}, model.SichtBreite, settings);
    return 0;
}
