#include "ads/AdvertisingPictures.h"

#include "platform/FileLookup.h"

#include <QDir>

#include <algorithm>

bool AdvertisingPictures::matchesPattern(const QString& fileName)
{
    return fileName.startsWith(QLatin1String("hb_0_"), Qt::CaseInsensitive)
        && (fileName.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)
            || fileName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive));
}

void AdvertisingPictures::bind(const QString& dir)
{
    m_directory = dir;
    m_names.clear();
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : entries) {
        if (matchesPattern(name))
            m_names.append(name);
    }
    // Name order as the Windows file list shows it: letter case ignored,
    // exact spelling only to keep the order stable between equal names.
    std::sort(m_names.begin(), m_names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QString AdvertisingPictures::filePath(int i) const
{
    if (i < 0 || i >= count())
        return QString();
    return FileLookup::join(m_directory, m_names.at(i));
}

int AdvertisingPictures::rotationLength() const
{
    return std::min(count(), maxRotation);
}

std::uint8_t AdvertisingPictures::nextPosition(std::uint8_t current) const
{
    const int next = int(current) + 1;
    return next >= rotationLength() ? 0 : std::uint8_t(next);
}

std::optional<QString> AdvertisingPictures::showNext(
    std::uint8_t& position, const std::function<bool(const QString&)>& show) const
{
    const int length = rotationLength();
    if (length == 0)
        return std::nullopt;
    const std::uint8_t start = int(position) < length ? position : 0;
    std::uint8_t p = start;
    for (int tried = 0; tried < length; ++tried) {
        const QString file = filePath(p);
        if (show(file)) {
            position = nextPosition(p);
            return file;
        }
        p = nextPosition(p);
    }
    position = nextPosition(start);
    return std::nullopt;
}
