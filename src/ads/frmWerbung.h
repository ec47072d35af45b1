#pragma once

#include "ads/AdvertisingPictures.h"
#include "shell/AdvertisingView.h"

#include <QWidget>

class QAction;
class QContextMenuEvent;
class QLabel;
class QListWidget;
class QMenu;

// The advertising window: covers the main frame and shows one picture of the
// advertising directory per slot, fitted to the window or at natural size.
//
// The window has no mouse handling of its own; its menu "Scheibenanzeige"
// with the item "Options" opens as a context menu (right button or menu key),
// since a child window of the frame has no menu bar to carry it.
class frmWerbung : public QWidget, public AdvertisingView {
    Q_OBJECT
public:
    // Hidden, caption "Werbung"; the file list is read from the program's
    // "werbung" directory, or from the current directory when there is none.
    explicit frmWerbung(QWidget* parent = nullptr);

    // Left 0, top 0 of the frame's client area, with its size.
    void WerbungAnpassen(QSize frameClientPixels);

    void Werbung_Laden() override;
    void showInFront() override;
    void hideView() override;
    bool isViewVisible() const override;

Q_SIGNALS:
    void optionenAngefordert();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool BildZeigen(const QString& fileName, int w, int h);
    void BildEinpassen(int w, int h);

    AdvertisingPictures m_pictures;
    // Hidden; shows the names of the pictures as read at creation.
    QListWidget* m_flbWerbung = nullptr;
    // Hidden; holds the picture last loaded for the fitted view, sized to it.
    QLabel* m_pbxBild = nullptr;
    // The fitted view: the picture stretched to the fitted size.
    QLabel* m_imgSaveBild = nullptr;
    // The unscaled view: a screen-sized box, picture at its top left corner.
    QLabel* m_pbxSaveBild = nullptr;
    QMenu* m_mMenu = nullptr;
    QAction* m_mOptionen = nullptr;
};
