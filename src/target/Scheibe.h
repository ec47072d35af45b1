#pragma once

#include "shell/LaneTarget.h"
#include "target/FaceLibrary.h"
#include "target/TargetModel.h"
#include "target/TargetPainter.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;

// The target window of one lane: a child of the frame's workspace that draws
// its face from the records on every paint and carries the result labels.
class Scheibe : public QWidget, public LaneTarget {
    Q_OBJECT
public:
    explicit Scheibe(QWidget* parent = nullptr);

    // The window's load event. The frame calls it once after setting
    // DisziplinNr and LinienNr, before showing the window.
    void Laden();
    void setLinienNr(int lane);
    // The window keeps no picture of its own: every paint redraws it.
    bool AutoRedraw() const { return false; }
    TargetModel& model() { return m_model; }
    const TargetModel& model() const { return m_model; }
    // Blank faces shared with the frame's other windows.
    void setFaceLibrary(std::shared_ptr<FaceLibrary> faces) { m_faces = std::move(faces); }

    void Init(const QString& pNachricht) override;
    void Init2002() override;
    bool LadeErgebnisse(const QString& datei) override;
    void SetProbe(bool pProbe) override;
    void setGTitelName(const QString& name) override;
    void HS_Laden(const QString& datei) override;
    void HD_Laden(const QString& datei) override;
    void HW_Laden(const QString& datei) override;
    void setScheibe_ZoomNummer(double step) override;
    void Zoom(bool manuel) override;
    void setPlatz(std::int16_t platz) override;
    void TextBelegen() override;
    void TextPositionieren() override;
    void Refresh() override;
    void refreshPlatz() override;
    QString DisziplinNr() const override;
    void setDisziplinNr(const QString& nr) override;
    int LinienNr() const override;
    void setTargetVisible(bool visible) override;
    bool isTargetVisible() const override;

Q_SIGNALS:
    // Popup item mOptionen or Ctrl+O: the frame opens the options dialog.
    void optionenAngefordert();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createLabels();
    void applyCaptions();
    void applyPaintTimeLabels();
    void zeigeLinienNr();
    TargetPainter::FaceResult paintFace(QPainter& painter, const QPalette& palette);
    void drawFace(const QPalette& palette);
    void blit(QPainter& painter, qreal ratio);

    TargetModel m_model;
    QMenu* m_menu = nullptr;
    QAction* m_optionen = nullptr;
    QLabel* m_lblName = nullptr;
    QLabel* m_lblTitelName = nullptr;
    QLabel* m_lblNr = nullptr;
    QLabel* m_lblRingwert = nullptr;
    QLabel* m_lblGesamt = nullptr;
    QLabel* m_lblSchussNr = nullptr;
    QLabel* m_lblPlatz = nullptr;
    QLabel* m_lblErgebnis = nullptr;
    std::array<QLabel*, 6> m_lblSerie {};

    // The face with the earlier shots as last drawn, and what it was drawn
    // from.
    QImage m_face;
    TargetPainter::EarlierShots m_faceShots;
    QImage m_buffer;
    std::optional<TargetPainter::FaceKey> m_faceKey;
    QColor m_faceBackground;
    TargetPainter::FaceResult m_faceResult;
    std::shared_ptr<FaceLibrary> m_faces;
};
