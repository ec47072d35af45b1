#pragma once

#include "ranking/RankingColumn.h"
#include "shell/RankingView.h"

#include <QList>
#include <QWidget>

#include <array>
#include <cstdint>

class QAction;
class QContextMenuEvent;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMouseEvent;
class RankingLayout;
struct RankingLabelGeometry;
struct TwipsLine;

// The ranking window: covers the main frame and shows one page of the
// ranking list at a time, with the lines waiting in its hidden queue
// lbxCSVIn.
//
// The title is set from RLTitel whenever the window is activated. As a child
// of the frame it does not always receive activation events of its own, so
// showInFront (the way the page flipping brings it up) sets the title too.
class frmRangliste : public QWidget, public RankingView {
    Q_OBJECT
public:
    // Hidden, caption "Rangliste", base layout with the template row only.
    explicit frmRangliste(QWidget* parent = nullptr);

    // Left 0, top 0 of the frame's client area, with its size; scales the
    // base layout to it and creates the rows. Calling it again lays the
    // window out afresh from the base layout (the factors do not compound).
    void RangListeAnpassen(QSize frameClientPixels);
    void setTitel(const QString& title);

    void showInFront() override;
    void hideView() override;
    bool isViewVisible() const override;
    int pendingLines() const override;
    void LeseCSVEin() override;
    void RanglisteLeeren() override;
    void RanglisteFuellen() override;

    // Highest row index.
    int Zeilen() const;

Q_SIGNALS:
    void optionenAngefordert();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void applyLayout(const RankingLayout& layout);
    QLabel* createLabel(const RankingLabelGeometry& geometry, const QString& objectName);
    QFrame* createLine(const QString& objectName);
    void placeLabel(QLabel* label, const RankingLabelGeometry& geometry, double top);
    void placeHorizontalLine(QFrame* line, const TwipsLine& geometry, double y, int pixels);
    void applyTitleSetting();

    QList<QLabel*> m_fixedLabels;
    QLabel* m_lblRanlistenTitel = nullptr;
    std::array<QList<QLabel*>, RankingColumnCount> m_rows;
    QList<QFrame*> m_lnZeile;
    QFrame* m_lnTitel = nullptr;
    QFrame* m_lnTrenner = nullptr;
    QListWidget* m_lbxCSVIn = nullptr;
    QMenu* m_mMenu = nullptr;
    QAction* m_mOptions = nullptr;
    std::int16_t m_zeilen = 0;
};
