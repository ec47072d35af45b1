#pragma once

#include <QComboBox>

// The drive selector: the roots of the file system (drive letters on
// Windows, "/" elsewhere). Choosing one emits driveChanged with its root.
class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive WRITE setDrive NOTIFY driveChanged)
public:
    explicit DriveList(QWidget* parent = nullptr);

    QString drive() const;
    // Selects the drive that holds path (a drive or any path on it).
    void setDrive(const QString& path);

Q_SIGNALS:
    void driveChanged(const QString& drive);
};
