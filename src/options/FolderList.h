#pragma once

#include <QListWidget>

// The folder selector: the folders from the root down to the current one,
// then the current folder's subfolders. Activating an entry (double-click,
// Enter) makes it the current folder.
class FolderList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // A folder that does not exist is refused (false) and the path stays.
    bool setPath(const QString& path);
    // The full paths of the listed folders, in list order.
    QStringList entries() const;

Q_SIGNALS:
    void pathChanged(const QString& path);

private:
    void fill();

    QString m_path;
};
