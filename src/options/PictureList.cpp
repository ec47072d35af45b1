#include "options/PictureList.h"

#include "platform/FileLookup.h"

#include <QCollator>
#include <QDir>

#include <algorithm>

PictureList::PictureList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool PictureList::setPath(const QString& path)
{
    const auto found = FileLookup::findDirectory(path);
    if (!found)
        return false;
    m_path = QDir::toNativeSeparators(QDir::cleanPath(QDir(*found).absolutePath()));
    refresh();
    return true;
}

void PictureList::refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    QDir dir(m_path);
    dir.setFilter(QDir::Files);
    dir.setNameFilters({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")});
    dir.setSorting(QDir::NoSort);
    // QDir matches name filters without regard to case unless told otherwise.
    QStringList names = dir.entryList();
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
    addItems(names);
}

QString PictureList::selectedFile() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QStringList PictureList::files() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}
