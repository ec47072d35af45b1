#include "ranking/frmRangliste.h"

#include "platform/DialogColours.h"
#include "platform/Twips.h"
#include "ranking/RankingFile.h"
#include "ranking/RankingLayout.h"
#include "ranking/RankingPage.h"
#include "shell/ProgramState.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace {

QFont labelFont(const RankingLabelGeometry& geometry)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(geometry.pointSize);
    font.setBold(geometry.bold);
    return font;
}

QRect pixelRect(double left, double top, double width, double height)
{
    const int x = Twips::toPixelsX(left);
    const int y = Twips::toPixelsY(top);
    const int w = Twips::toPixelsX(left + width) - x;
    const int h = Twips::toPixelsY(top + height) - y;
    return QRect(x, y, std::max(w, 0), std::max(h, 0));
}

} // namespace

frmRangliste::frmRangliste(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRangliste"));
    setWindowTitle(QStringLiteral("Rangliste"));
    // Covers the target windows: nothing of them may shine through.
    setAutoFillBackground(true);
    DialogColours::apply(*this);

    const RankingLayout layout = RankingLayout::design();
    for (const RankingLabelGeometry& geometry : layout.fixedLabels) {
        QLabel* label = createLabel(geometry, geometry.name);
        label->setText(geometry.caption);
        m_fixedLabels.append(label);
    }
    m_lblRanlistenTitel = m_fixedLabels.front();

    m_lnTitel = createLine(QStringLiteral("lnTitel"));
    QPalette black = m_lnTitel->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_lnTitel->setPalette(black);
    m_lnTrenner = createLine(QStringLiteral("lnTrenner"));
    m_lnTrenner->setBackgroundRole(QPalette::WindowText);

    m_lbxCSVIn = new QListWidget(this);
    m_lbxCSVIn->setObjectName(QStringLiteral("lbxCSVIn"));
    m_lbxCSVIn->hide();

    m_mMenu = new QMenu(QStringLiteral("Scheibenanzeige"), this);
    m_mMenu->setObjectName(QStringLiteral("mMenu"));
    m_mOptions = m_mMenu->addAction(QStringLiteral("Optionen"));
    m_mOptions->setObjectName(QStringLiteral("mOptions"));
    connect(m_mOptions, &QAction::triggered, this, &frmRangliste::optionenAngefordert);

    resize(Twips::toPixelsX(RankingLayout::DesignClientWidth), Twips::toPixelsY(RankingLayout::DesignClientHeight));
    // Creates the template row 0 of every row array, hidden.
    applyLayout(layout);
    hide();
}

QLabel* frmRangliste::createLabel(const RankingLabelGeometry& geometry, const QString& objectName)
{
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    // Names and clubs come from outside: never take them for markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(geometry.alignment | Qt::AlignTop);
    label->setFont(labelFont(geometry));
    return label;
}

QFrame* frmRangliste::createLine(const QString& objectName)
{
    auto* line = new QFrame(this);
    line->setObjectName(objectName);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    // Lines are drawn on the background: a press on them is a press on the window.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

void frmRangliste::placeLabel(QLabel* label, const RankingLabelGeometry& geometry, double top)
{
    label->setGeometry(pixelRect(geometry.rect.left, top, geometry.rect.width, geometry.rect.height));
    label->setFont(labelFont(geometry));
}

void frmRangliste::placeHorizontalLine(QFrame* line, const TwipsLine& geometry, double y, int pixels)
{
    const int x1 = Twips::toPixelsX(geometry.x1);
    const int x2 = Twips::toPixelsX(geometry.x2);
    line->setGeometry(x1, Twips::toPixelsY(y) - pixels / 2, std::max(x2 - x1, 1), pixels);
}

void frmRangliste::applyLayout(const RankingLayout& layout)
{
    for (qsizetype i = 0; i < m_fixedLabels.size() && i < qsizetype(layout.fixedLabels.size()); ++i) {
        const RankingLabelGeometry& geometry = layout.fixedLabels[std::size_t(i)];
        placeLabel(m_fixedLabels[i], geometry, geometry.rect.top);
    }

    const qsizetype rowCount = qsizetype(layout.zeilen) + 1;
    for (int c = 0; c < RankingColumnCount; ++c) {
        const RankingLabelGeometry& geometry = layout.rowTemplates[std::size_t(c)];
        QList<QLabel*>& column = m_rows[std::size_t(c)];
        while (column.size() > rowCount)
            delete column.takeLast();
        while (column.size() < rowCount) {
            QLabel* label = createLabel(geometry, geometry.name + QString::number(column.size()));
            label->hide();
            column.append(label);
        }
        for (qsizetype r = 0; r < rowCount; ++r)
            placeLabel(column[r], geometry, layout.rowTops[std::size_t(r)]);
    }

    while (m_lnZeile.size() > rowCount)
        delete m_lnZeile.takeLast();
    while (m_lnZeile.size() < rowCount) {
        QFrame* line = createLine(QStringLiteral("lnZeile") + QString::number(m_lnZeile.size()));
        line->setBackgroundRole(QPalette::WindowText);
        line->hide();
        m_lnZeile.append(line);
    }
    for (qsizetype r = 0; r < rowCount; ++r)
        placeHorizontalLine(
            m_lnZeile[r], layout.lnZeile0, layout.rowLineYs[std::size_t(r)], RankingLayout::RowLinePixels);

    placeHorizontalLine(m_lnTitel, layout.lnTitel, layout.lnTitel.y1, RankingLayout::TitleLinePixels);
    const QRect trenner
        = pixelRect(layout.lnTrenner.x1, layout.lnTrenner.y1, 0, layout.lnTrenner.y2 - layout.lnTrenner.y1);
    m_lnTrenner->setGeometry(trenner.x(), trenner.y(), RankingLayout::RowLinePixels, trenner.height());

    m_zeilen = layout.zeilen;
}

void frmRangliste::RangListeAnpassen(QSize frameClientPixels)
{
    setGeometry(0, 0, frameClientPixels.width(), frameClientPixels.height());
    const double width = Twips::fromPixelsX(frameClientPixels.width());
    const double height = Twips::fromPixelsY(frameClientPixels.height());
    applyLayout(RankingLayout::fitted(width, height));
}

void frmRangliste::setTitel(const QString& title)
{
    m_lblRanlistenTitel->setText(title);
}

void frmRangliste::applyTitleSetting()
{
    setTitel(ProgramState::instance().settings.RLTitel);
}

void frmRangliste::showInFront()
{
    show();
    raise();
    activateWindow();
    applyTitleSetting();
}

void frmRangliste::hideView()
{
    hide();
}

bool frmRangliste::isViewVisible() const
{
    return !isHidden();
}

int frmRangliste::pendingLines() const
{
    return m_lbxCSVIn->count();
}

void frmRangliste::LeseCSVEin()
{
    const Einstellungen& settings = ProgramState::instance().settings;
    const std::optional<QStringList> items
        = RankingFile::read(RankingFile::fileName(settings.KORVUPfad, settings.VTXServerID));
    if (!items)
        return;
    m_lbxCSVIn->clear();
    m_lbxCSVIn->addItems(*items);
}

void frmRangliste::RanglisteLeeren()
{
    for (int r = 0; r <= m_zeilen; ++r) {
        for (QList<QLabel*>& column : m_rows) {
            column[r]->clear();
            column[r]->show();
        }
        m_lnZeile[r]->hide();
    }
}

void frmRangliste::RanglisteFuellen()
{
    // A page takes fewer lines than it has rows.
    QStringList front;
    const int available = std::min(m_lbxCSVIn->count(), std::max(int(m_zeilen), 0));
    for (int i = 0; i < available; ++i)
        front.append(m_lbxCSVIn->item(i)->text());

    const RankingPage page = fillRankingPage(front, m_zeilen);
    m_lbxCSVIn->model()->removeRows(0, page.consumed);

    for (std::size_t r = 0; r < page.rows.size(); ++r) {
        for (int c = 0; c < RankingColumnCount; ++c) {
            const std::optional<QString>& text = page.rows[r][std::size_t(c)];
            if (text)
                m_rows[std::size_t(c)][qsizetype(r)]->setText(*text);
        }
        if (page.linesShown[r])
            m_lnZeile[qsizetype(r)]->show();
    }
}

int frmRangliste::Zeilen() const
{
    return m_zeilen;
}

bool frmRangliste::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        applyTitleSetting();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void frmRangliste::mousePressEvent(QMouseEvent* event)
{
    // Presses on labels reach here too (labels pass them on); only the
    // background opens the menu.
    if (event->button() == Qt::RightButton && !childAt(event->position().toPoint())) {
        m_mMenu->popup(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void frmRangliste::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu opens on the press itself; the frame must not add a menu of its own.
    event->accept();
}
