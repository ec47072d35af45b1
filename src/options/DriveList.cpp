#include "options/DriveList.h"

#include <QDir>
#include <QFileInfo>

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo& drive : drives)
        addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) { Q_EMIT driveChanged(drive()); });
}

QString DriveList::drive() const
{
    return currentData().toString();
}

void DriveList::setDrive(const QString& path)
{
    const QString wanted = QDir::fromNativeSeparators(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (wanted.startsWith(root, Qt::CaseInsensitive) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}
