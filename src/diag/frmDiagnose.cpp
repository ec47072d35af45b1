#include "diag/frmDiagnose.h"

#include "diag/DiagnosticsSource.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

} // namespace

frmDiagnose::frmDiagnose(const DiagnosticsSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(source)
{
    setObjectName(QStringLiteral("frmDiagnose"));
    setWindowTitle(QStringLiteral("Diagnose"));

    auto* frame = new QGroupBox(QStringLiteral("Parameter"), this);
    frame->setObjectName(QStringLiteral("fraParameter"));
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("lstParameter"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_list);

    QPushButton* windows = button("cmdWindows", QStringLiteral("Aktive Fenster"), this);
    QPushButton* autoRedraw = button("cmdScheibenAutoRedraw", QStringLiteral("Scheiben AutoRedraw"), this);
    QPushButton* close = button("cmdSchliessen", QStringLiteral("schliessen"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(windows);
    buttons->addWidget(autoRedraw);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(420, 320);

    connect(windows, &QPushButton::clicked, this, [this] { fill(windowLines(m_source)); });
    connect(autoRedraw, &QPushButton::clicked, this, [this] { fill(autoRedrawLines(m_source)); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    m_list->clear();
}

QStringList frmDiagnose::windowLines(const DiagnosticsSource& source)
{
    const QList<DiagnosticsSource::Window> windows = source.loadedWindows();
    QStringList lines {QStringLiteral(" Forms.Count = %1").arg(windows.size())};
    for (qsizetype i = 0; i < windows.size(); ++i) {
        lines.append(
            QStringLiteral(" hWND %1 = %2 (%3)")
                .arg(i)
                .arg(windows[i].name, windows[i].visible ? QStringLiteral("shown") : QStringLiteral("hidden")));
    }
    return lines;
}

QStringList frmDiagnose::autoRedrawLines(const DiagnosticsSource& source)
{
    const QList<DiagnosticsSource::Target> targets = source.targetWindows();
    QStringList lines;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        lines.append(
            QStringLiteral(" Scheiben %1 = %2 (%3)")
                .arg(i + 1)
                .arg(targets[i].name, targets[i].autoRedraw ? QStringLiteral("True") : QStringLiteral("False")));
    }
    return lines;
}

void frmDiagnose::fill(const QStringList& lines)
{
    m_list->clear();
    m_list->addItems(lines);
}
