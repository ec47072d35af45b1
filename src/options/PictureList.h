#pragma once

#include <QListWidget>

// A file list of one folder that shows only pictures matching
// "*.bmp;*.jpg", whatever the letter case.
class PictureList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)
public:
    explicit PictureList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // A folder that does not exist is refused (false) and the path stays.
    bool setPath(const QString& path);
    void refresh();
    // Bare name of the selected file, empty when none is selected.
    QString selectedFile() const;
    QStringList files() const;

private:
    QString m_path;
};
