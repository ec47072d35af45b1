#include "ads/frmWerbung.h"

#include "ads/PictureFit.h"
#include "platform/DialogColours.h"
#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>

namespace {
QImage readPicture(const QString& fileName)
{
    QImageReader reader(fileName);
    return reader.read();
}
} // namespace

frmWerbung::frmWerbung(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmWerbung"));
    setWindowTitle(QStringLiteral("Werbung"));
    // Lies over the target windows: nothing of them may shine through.
    setAutoFillBackground(true);
    DialogColours::apply(*this);

    const std::optional<QString> dir
        = FileLookup::findDirectory(FileLookup::join(ProgramInfo::directory(), QStringLiteral("werbung")));
    m_pictures.bind(dir ? *dir : QDir::currentPath());

    m_flbWerbung = new QListWidget(this);
    m_flbWerbung->setObjectName(QStringLiteral("flbWerbung"));
    m_flbWerbung->addItems(m_pictures.names());
    m_flbWerbung->hide();

    m_pbxBild = new QLabel(this);
    m_pbxBild->setObjectName(QStringLiteral("pbxBild"));
    m_pbxBild->hide();

    m_imgSaveBild = new QLabel(this);
    m_imgSaveBild->setObjectName(QStringLiteral("imgSaveBild"));
    m_imgSaveBild->setGeometry(0, 0, 0, 0);

    m_pbxSaveBild = new QLabel(this);
    m_pbxSaveBild->setObjectName(QStringLiteral("pbxSaveBild"));
    m_pbxSaveBild->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pbxSaveBild->setAutoFillBackground(true);
    m_pbxSaveBild->hide();

    m_mMenu = new QMenu(QStringLiteral("Scheibenanzeige"), this);
    m_mMenu->setObjectName(QStringLiteral("mMenu"));
    m_mOptionen = m_mMenu->addAction(QStringLiteral("Options"));
    m_mOptionen->setObjectName(QStringLiteral("mOptionen"));
    connect(m_mOptionen, &QAction::triggered, this, &frmWerbung::optionenAngefordert);

    hide();
}

void frmWerbung::WerbungAnpassen(QSize frameClientPixels)
{
    setGeometry(0, 0, frameClientPixels.width(), frameClientPixels.height());
}

void frmWerbung::Werbung_Laden()
{
    const int w = width();
    const int h = height();
    ProgramState& state = ProgramState::instance();
    const std::optional<QString> shown = m_pictures.showNext(
        state.WerbeBildNr, [this, w, h](const QString& fileName) { return BildZeigen(fileName, w, h); });
    if (shown)
        update();
}

bool frmWerbung::BildZeigen(const QString& fileName, int w, int h)
{
    // Read first, so that a file that cannot be loaded leaves the view as it was.
    const QImage picture = readPicture(fileName);
    if (picture.isNull())
        return false;
    if (ProgramState::instance().settings.VergroessernAus == 0) {
        m_pbxSaveBild->hide();
        m_pbxBild->setPixmap(QPixmap::fromImage(picture));
        m_pbxBild->resize(picture.size());
        BildEinpassen(w, h);
    } else {
        m_pbxSaveBild->setGeometry(
            Twips::toPixelsX(1), Twips::toPixelsY(1), Twips::screenSize().width(), Twips::screenSize().height());
        m_pbxSaveBild->setPixmap(QPixmap::fromImage(picture));
        m_pbxSaveBild->show();
        m_pbxSaveBild->raise();
    }
    return true;
}

void frmWerbung::BildEinpassen(int w, int h)
{
    const QSize natural = m_pbxBild->size();
    m_imgSaveBild->move(0, 0);
    m_imgSaveBild->setScaledContents(false);
    m_imgSaveBild->setPixmap(m_pbxBild->pixmap());
    const QSizeF fitted = PictureFit::fitted(QSizeF(w, h), QSizeF(natural));
    m_imgSaveBild->resize(fitted.toSize());
    m_imgSaveBild->setScaledContents(true);
    m_imgSaveBild->show();
}

void frmWerbung::showInFront()
{
    show();
    raise();
    activateWindow();
}

void frmWerbung::hideView()
{
    hide();
}

bool frmWerbung::isViewVisible() const
{
    return !isHidden();
}

void frmWerbung::contextMenuEvent(QContextMenuEvent* event)
{
    m_mMenu->popup(event->globalPos());
    event->accept();
}
