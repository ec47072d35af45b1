#include "target/Scheibe.h"

#include "platform/PainterCanvas.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"
#include "target/TargetLabels.h"
#include "target/TargetPainter.h"
#include "target/TargetZoom.h"

#include <QAction>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor Dunkelblau(0, 0, 192);
const QColor Gelb(255, 255, 0);

const Einstellungen& settings()
{
    return ProgramState::instance().settings;
}

QLabel* makeLabel(
    QWidget* parent, const QString& name, const QString& caption, QRectF twips, double points, Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(Twips::toPixelsX(twips.left()), Twips::toPixelsY(twips.top()), Twips::toPixelsX(twips.width()),
        Twips::toPixelsY(twips.height()));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void setColours(QLabel* label, const QColor& background, const QColor& text)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}

void setCaption(QLabel* label, const QString& text, bool sizesItself = false)
{
    if (label->text() == text)
        return;
    label->setText(text);
    if (sizesItself)
        label->adjustSize();
}

} // namespace

Scheibe::Scheibe(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Scheibe"));
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);
    // Every paint covers the whole window with its picture: the background
    // need not be filled first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Button));
    setPalette(palette);
    setFont(QFont(QStringLiteral("Arial")));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("mMenu"));
    m_optionen = m_menu->addAction(ProgramState::instance().language.OptionsTexte[0]);
    m_optionen->setObjectName(QStringLiteral("mOptionen"));
    connect(m_optionen, &QAction::triggered, this, &Scheibe::optionenAngefordert);

    createLabels();
}

void Scheibe::createLabels()
{
    const QPalette system = QGuiApplication::palette();
    const QColor knopf = system.color(QPalette::Button);
    const QColor knopfText = system.color(QPalette::ButtonText);
    const auto centre = Qt::AlignHCenter;

    m_lblNr = makeLabel(this, QStringLiteral("lblNr"), m_model.captions.lblNr, {50, 50, 615, 495}, 20.25, centre);
    setColours(m_lblNr, Dunkelblau, Gelb);
    m_lblErgebnis = makeLabel(
        this, QStringLiteral("lblErgebnis"), m_model.captions.lblErgebnis, {720, 50, 2175, 375}, 15.75, centre);
    setColours(m_lblErgebnis, Dunkelblau, Gelb);
    m_lblTitelName = makeLabel(
        this, QStringLiteral("lblTitelName"), m_model.captions.lblTitelName, {0, 3000, 5115, 405}, 15.75, centre);
    setColours(m_lblTitelName, Dunkelblau, Gelb);

    m_lblName = makeLabel(this, QStringLiteral("lblName"), {}, {120, 3480, 75, 330}, 14.25, Qt::AlignLeft);
    m_lblRingwert = makeLabel(this, QStringLiteral("lblRingwert"), {}, {120, 4200, 75, 330}, 14.25, Qt::AlignLeft);
    m_lblGesamt = makeLabel(this, QStringLiteral("lblGesamt"), {}, {2640, 4320, 2415, 375}, 15.75, Qt::AlignRight);
    m_lblSchussNr = makeLabel(this, QStringLiteral("lblSchussNr"), {}, {120, 4680, 1455, 375}, 14.25, Qt::AlignLeft);
    m_lblPlatz = makeLabel(this, QStringLiteral("lblPlatz"), {}, {2760, 4680, 2415, 375}, 14.25, Qt::AlignRight);
    for (QLabel* label : {m_lblName, m_lblRingwert, m_lblGesamt, m_lblSchussNr, m_lblPlatz})
        setColours(label, knopf, knopfText);

    for (int k = 0; k < 6; ++k) {
        const double left = k == 5 ? 3045 : 50 + 600 * k;
        QLabel* serie = makeLabel(this, QStringLiteral("lblSerie%1").arg(k), {}, {left, 2640, 615, 300}, 12, centre);
        setColours(serie, knopf, system.color(QPalette::WindowText));
        serie->setFrameShape(QFrame::Box);
        serie->setLineWidth(1);
        m_lblSerie[static_cast<std::size_t>(k)] = serie;
    }
}

void Scheibe::Laden()
{
    m_model.Laden(settings());
    zeigeLinienNr();
}

void Scheibe::setLinienNr(int lane)
{
    m_model.LinienNr = lane;
}

void Scheibe::zeigeLinienNr()
{
    m_model.captions.lblNr = QString::number(m_model.LinienNr);
    setCaption(m_lblNr, m_model.captions.lblNr);
}

void Scheibe::Init(const QString& pNachricht)
{
    if (m_model.Init(pNachricht))
        Refresh();
}

void Scheibe::Init2002()
{
    m_model.Init2002();
    applyCaptions();
    Refresh();
}

bool Scheibe::LadeErgebnisse(const QString& datei)
{
    return m_model.LadeErgebnisse(datei);
}

void Scheibe::SetProbe(bool pProbe)
{
    m_model.SetProbe(pProbe);
}

void Scheibe::setGTitelName(const QString& name)
{
    m_model.gTitelName = name;
}

void Scheibe::HS_Laden(const QString& datei)
{
    m_model.HS_Laden(datei);
}

void Scheibe::HD_Laden(const QString& datei)
{
    m_model.HD_Laden(datei);
}

void Scheibe::HW_Laden(const QString& datei)
{
    m_model.HW_Laden(datei);
}

void Scheibe::setScheibe_ZoomNummer(double step)
{
    m_model.Scheibe_ZoomNummer = step;
}

void Scheibe::Zoom(bool manuel)
{
    TargetZoom::Zoom(m_model, manuel, settings());
}

void Scheibe::setPlatz(std::int16_t platz)
{
    m_model.Platz = platz;
}

void Scheibe::TextBelegen()
{
    TargetLabels::TextBelegen(m_model, settings());
    applyCaptions();
}

void Scheibe::TextPositionieren()
{
    const double units = m_model.SichtBreite;
    if (!(units > 0) || !std::isfinite(units) || width() <= 0)
        return;
    const double perPixel = units / width();
    const auto toUnits = [perPixel](const QLabel* label) {
        const QRect r = label->geometry();
        return QRectF(r.x() * perPixel, r.y() * perPixel, r.width() * perPixel, r.height() * perPixel);
    };
    const auto place = [perPixel](QLabel* label, const QRectF& r) {
        const auto pixels = [perPixel](double value) {
            const double p = std::round(value / perPixel);
            return static_cast<int>(std::clamp(p, -1e6, 1e6));
        };
        label->setGeometry(
            pixels(r.x()), pixels(r.y()), std::max(0, pixels(r.width())), std::max(0, pixels(r.height())));
    };

    TargetLabels::LabelLayout current;
    current.titelName = toUnits(m_lblTitelName);
    current.name = toUnits(m_lblName);
    current.ringwert = toUnits(m_lblRingwert);
    current.gesamt = toUnits(m_lblGesamt);
    current.schussNr = toUnits(m_lblSchussNr);
    current.platz = toUnits(m_lblPlatz);
    for (std::size_t k = 0; k < m_lblSerie.size(); ++k)
        current.serie[k] = toUnits(m_lblSerie[k]);

    const TargetLabels::LabelLayout layout = TargetLabels::TextPositionieren(current, units, settings());
    place(m_lblTitelName, layout.titelName);
    place(m_lblName, layout.name);
    place(m_lblRingwert, layout.ringwert);
    place(m_lblGesamt, layout.gesamt);
    place(m_lblSchussNr, layout.schussNr);
    place(m_lblPlatz, layout.platz);
    for (std::size_t k = 0; k < m_lblSerie.size(); ++k)
        place(m_lblSerie[k], layout.serie[k]);
}

void Scheibe::Refresh()
{
    repaint();
}

void Scheibe::refreshPlatz()
{
    m_lblPlatz->repaint();
}

QString Scheibe::DisziplinNr() const
{
    return m_model.DisziplinNr;
}

void Scheibe::setDisziplinNr(const QString& nr)
{
    m_model.DisziplinNr = nr;
}

int Scheibe::LinienNr() const
{
    return m_model.LinienNr;
}

void Scheibe::setTargetVisible(bool visible)
{
    setVisible(visible);
}

bool Scheibe::isTargetVisible() const
{
    return isVisibleTo(parentWidget());
}

void Scheibe::applyCaptions()
{
    const LabelCaptions& c = m_model.captions;
    setCaption(m_lblName, c.lblName, true);
    setCaption(m_lblTitelName, c.lblTitelName);
    setCaption(m_lblNr, c.lblNr);
    setCaption(m_lblRingwert, c.lblRingwert, true);
    setCaption(m_lblGesamt, c.lblGesamt);
    setCaption(m_lblSchussNr, c.lblSchussNr);
    setCaption(m_lblPlatz, c.lblPlatz);
    setCaption(m_lblErgebnis, c.lblErgebnis);
    for (std::size_t k = 0; k < m_lblSerie.size(); ++k)
        setCaption(m_lblSerie[k], c.lblSerie[k]);
}

void Scheibe::applyPaintTimeLabels()
{
    const TargetLabels::PaintTimeLabels labels = TargetLabels::paintTimeLabels(m_model, settings());
    for (std::size_t k = 0; k < m_lblSerie.size(); ++k)
        m_lblSerie[k]->setVisible(labels.serieVisible[k]);
    m_lblErgebnis->setVisible(labels.ergebnisVisible);
    m_lblTitelName->setVisible(labels.titelNameVisible);
    if (labels.ergebnisText) {
        m_model.captions.lblErgebnis = *labels.ergebnisText;
        setCaption(m_lblErgebnis, m_model.captions.lblErgebnis);
    }
}

bool Scheibe::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn || event->type() == QEvent::Show)
        zeigeLinienNr();
    return QWidget::event(event);
}

void Scheibe::paintEvent(QPaintEvent* event)
{
    m_optionen->setText(ProgramState::instance().language.OptionsTexte[0]);
    m_model.zoomForPaint(settings());
    {
        const QPalette palette = QGuiApplication::palette();
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (m_buffer.size() != pixels || m_buffer.devicePixelRatio() != ratio) {
            m_buffer = QImage(pixels, QImage::Format_RGB32);
            m_buffer.setDevicePixelRatio(ratio);
            m_buffer.fill(this->palette().color(backgroundRole()));
        }
        {
            // Only what this paint shows is drawn: a label that changes size
            // uncovers a few pixels, and they need not cost a whole picture.
            // A whole paint comes with the labels cut out of it; clipped to
            // that many rectangles the painter would draw slower, not faster.
            QPainter painter(&m_buffer);
            if (event->rect() != rect())
                painter.setClipRect(event->rect());
            const TargetPainter::FaceResult face = paintFace(painter, palette);
            PainterCanvas canvas(painter, width(), height());
            TargetPainter::drawOverlay(canvas, m_model, settings(), palette, face, TargetPainter::hasFace(m_model));
        }
        QPainter painter(this);
        blit(painter, ratio);
    }
    applyCaptions();
    TextPositionieren();
    applyPaintTimeLabels();
}

// The face is kept as a picture with the earlier shots on it, and drawn again
// only when something it shows has changed. Drawing the face (the rings,
// their numbers, fitting the numbers' font) costs more than the rest of a
// repaint together, and with every shot marked the earlier shots cost as much
// again. The polling tick repaints a window for every new shot, which leaves
// the face as it was and only adds the shot that was the latest to the earlier
// ones: that one is drawn onto the picture. The overlay then draws the rest
// exactly as ZeichneScheibe would.
TargetPainter::FaceResult Scheibe::paintFace(QPainter& painter, const QPalette& palette)
{
    if (!TargetPainter::hasFace(m_model)) {
        PainterCanvas canvas(painter, width(), height());
        return TargetPainter::drawFace(canvas, m_model, settings(), palette);
    }
    // Below the square of the visible width the masking frame covers all.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(width(), std::min(width(), height())) * ratio).toSize();
    const QColor background = this->palette().color(backgroundRole());
    const TargetPainter::FaceKey key = TargetPainter::faceKey(m_model, settings(), palette);
    TargetPainter::EarlierShots shots = TargetPainter::earlierShots(m_model, settings());
    if (m_face.size() != pixels || m_face.devicePixelRatio() != ratio || m_faceBackground != background
        || m_faceKey != key || !shots.continues(m_faceShots)) {
        const FaceLibrary::Look look {key, size(), ratio, background.rgba()};
        if (const FaceLibrary::Face* blank = m_faces ? m_faces->find(look) : nullptr) {
            m_face = blank->picture;
            m_faceResult = blank->result;
        } else {
            m_face = QImage(pixels, QImage::Format_RGB32);
            m_face.setDevicePixelRatio(ratio);
            m_face.fill(background);
            drawFace(palette);
            if (m_faces)
                m_faces->keep(look, {m_face, m_faceResult});
        }
        m_faceKey = key;
        m_faceBackground = background;
        m_faceShots = {};
    }
    if (shots.marks.size() > m_faceShots.marks.size()) {
        QPainter facePainter(&m_face);
        PainterCanvas canvas(facePainter, width(), height());
        TargetPainter::drawEarlierShots(
            canvas, m_model, settings(), palette, m_faceResult, shots, m_faceShots.marks.size());
    }
    m_faceShots = std::move(shots);
    painter.drawImage(0, 0, m_face);
    return m_faceResult;
}

void Scheibe::drawFace(const QPalette& palette)
{
    QPainter facePainter(&m_face);
    PainterCanvas canvas(facePainter, width(), height());
    m_faceResult = TargetPainter::drawFace(canvas, m_model, settings(), palette);
}

// The labels cut holes into the area a paint may cover. A blit through such a
// clip goes span by span, and from about a hundred spans on Qt hands it to
// its thread pool, whose hand-over costs more than the copy. Blitting each
// rectangle of the clip on its own is a plain copy of rows.
void Scheibe::blit(QPainter& painter, qreal ratio)
{
    const QTransform toDevice = painter.deviceTransform();
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && ratio == 1 && toDevice.type() <= QTransform::TxTranslate && !engine->systemClip().isEmpty()) {
        const QPoint offset(qRound(toDevice.dx()), qRound(toDevice.dy()));
        const QRegion visible = engine->systemClip().translated(-offset) & rect();
        for (const QRect& r : visible) {
            painter.setClipRect(r);
            painter.drawImage(r.topLeft(), m_buffer, r);
        }
        return;
    }
    constexpr int kStrip = 8;
    const QSize pixels = m_buffer.size();
    for (int y = 0; y < pixels.height(); y += kStrip) {
        const QRect strip(0, y, pixels.width(), std::min(kStrip, pixels.height() - y));
        painter.drawImage(QPointF(0, y / ratio), m_buffer, strip);
    }
}

void Scheibe::hideEvent(QHideEvent* event)
{
    // A hidden window keeps no picture: with many lanes paged through, the
    // pictures would otherwise add up.
    m_face = QImage();
    m_faceKey.reset();
    m_faceShots = {};
    m_buffer = QImage();
    QWidget::hideEvent(event);
}

void Scheibe::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_menu->popup(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void Scheibe::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_O && (event->modifiers() & Qt::ControlModifier)) {
        Q_EMIT optionenAngefordert();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
