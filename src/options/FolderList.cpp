#include "options/FolderList.h"

#include "platform/FileLookup.h"

#include <QCollator>
#include <QDir>

#include <algorithm>

namespace {
constexpr int PathRole = Qt::UserRole;
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this,
        [this](QListWidgetItem* item) { setPath(item->data(PathRole).toString()); });
}

bool FolderList::setPath(const QString& path)
{
    const auto found = FileLookup::findDirectory(path);
    if (!found)
        return false;
    const QString cleaned = QDir::toNativeSeparators(QDir::cleanPath(QDir(*found).absolutePath()));
    if (cleaned == m_path)
        return true;
    m_path = cleaned;
    fill();
    Q_EMIT pathChanged(m_path);
    return true;
}

QStringList FolderList::entries() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->data(PathRole).toString());
    return result;
}

void FolderList::fill()
{
    clear();
    QStringList chain;
    QDir dir(m_path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());

    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
        auto* entry = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        entry->setData(PathRole, QDir::toNativeSeparators(folder));
        ++depth;
    }
    setCurrentRow(count() - 1);

    QStringList subfolders = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(subfolders.begin(), subfolders.end(), collator);
    for (const QString& name : subfolders) {
        auto* entry = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        entry->setData(PathRole, FileLookup::join(m_path, name));
    }
}
