#include "platform/QtDialogs.h"
#include "shell/frmMDI.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtDialogs::install();
    frmMDI frame;
    frame.show();
    return app.exec();
}
