#pragma once

#include <QString>

#include <cstdint>

// What the shell calls on the target window of one lane, by name. The target
// window implements it; the shell's logic (polling cycle, page flipping,
// options close) reaches a lane only through this interface and the
// collection `Scheiben`.
class LaneTarget {
public:
    virtual ~LaneTarget() = default;

    virtual void Init(const QString& pNachricht) = 0;
    virtual void Init2002() = 0;
    // False when the file is missing or could not be read to its end.
    virtual bool LadeErgebnisse(const QString& datei) = 0;
    virtual void SetProbe(bool pProbe) = 0;
    virtual void setGTitelName(const QString& name) = 0;
    virtual void HS_Laden(const QString& datei) = 0;
    virtual void HD_Laden(const QString& datei) = 0;
    virtual void HW_Laden(const QString& datei) = 0;
    virtual void setScheibe_ZoomNummer(double step) = 0;
    virtual void Zoom(bool manuel) = 0;
    virtual void setPlatz(std::int16_t platz) = 0;
    virtual void TextBelegen() = 0;
    virtual void TextPositionieren() = 0;
    // Repaint the whole window now.
    virtual void Refresh() = 0;
    // Repaint only the place label.
    virtual void refreshPlatz() = 0;

    virtual QString DisziplinNr() const = 0;
    virtual void setDisziplinNr(const QString& nr) = 0;
    virtual int LinienNr() const = 0;

    virtual void setTargetVisible(bool visible) = 0;
    virtual bool isTargetVisible() const = 0;
};
