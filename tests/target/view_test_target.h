#pragma once

#include "shell/ProgramState.h"
#include "target/TargetModel.h"
#include "target/TargetZoom.h"

#include <QLocale>

// A target face built in code: ten rings 40 units wide from a ten of radius
// 20 (circles at 20, 60, ..., 380), black up to 180, numbers 1 to 8, a card
// 1000 units wide, shot marks of radius 20.
inline TargetModel viewTestTarget()
{
    TargetModel model;
    ScheibenDaten& s = model.records.Scheibe;
    s.AussenRadius = TaggedValue(380.0);
    s.SpiegelRadius = TaggedValue(180.0);
    s.ZehnerRadius = TaggedValue(20.0);
    s.ZehnerRingStyle = TaggedValue(0.0);
    s.InnenZehnerRadius = TaggedValue(0.0);
    s.InnenZehnerRingStyle = TaggedValue(1.0);
    s.Ringbreite = TaggedValue(40.0);
    s.RingMin = TaggedValue(1.0);
    s.RingMax = TaggedValue(8.0);
    s.RingAnzahl = TaggedValue(10.0);
    s.KartonBreite = TaggedValue(1000.0);
    s.Probe = TaggedValue(static_cast<std::int32_t>(0));
    model.records.Waffe.AnzeigeRadius = TaggedValue(20.0);
    model.records.Wettbewerb.Serienlaenge = TaggedValue(10.0);
    model.records.Wettbewerb.SchussZahl = TaggedValue(40.0);
    model.records.Wettbewerb.Wertung = TaggedValue(1.0);
    model.VolleBreite = 1000;
    model.SichtBreite = 1000;
    TargetZoom::Scheibe_ZoomBerechnen(model); // Rand 50, card 900, centre 500
    return model;
}

// Shots 0..count-1 in the current set, shot i at (10 i, -10 i) with ring value
// 10 - i / 10.
inline void viewTestShots(TargetModel& model, int count)
{
    SchussSatz& satz = model.records.AktuellerSatz;
    for (int i = 0; i < count; ++i) {
        satz.PosX[static_cast<std::size_t>(i)] = static_cast<float>(10 * i);
        satz.PosY[static_cast<std::size_t>(i)] = static_cast<float>(-10 * i);
        satz.Ringwert[static_cast<std::size_t>(i)] = 10.0f - static_cast<float>(i) / 10.0f;
    }
    satz.LetzterIndex = static_cast<float>(count - 1);
    satz.SchussNummer = static_cast<float>(count);
}

inline void resetViewTestState()
{
    ProgramState::reset();
    QLocale::setDefault(QLocale::c());
}
