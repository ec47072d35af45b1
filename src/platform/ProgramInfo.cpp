#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>

#ifndef OMR_VERSION_MAJOR
#define OMR_VERSION_MAJOR 0
#endif
#ifndef OMR_VERSION_MINOR
#define OMR_VERSION_MINOR 0
#endif
#ifndef OMR_VERSION_REVISION
#define OMR_VERSION_REVISION 0
#endif
#ifndef OMR_COMPANY_NAME
#define OMR_COMPANY_NAME ""
#endif

namespace {
QString g_directoryOverride;
} // namespace

namespace ProgramInfo {

QString directory()
{
    if (!g_directoryOverride.isEmpty())
        return g_directoryOverride;
    if (QCoreApplication::instance())
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return QDir::toNativeSeparators(QDir::currentPath());
}

void setDirectoryForTest(const QString& dir)
{
    g_directoryOverride = dir;
}

int versionMajor()
{
    return OMR_VERSION_MAJOR;
}

int versionMinor()
{
    return OMR_VERSION_MINOR;
}

int versionRevision()
{
    return OMR_VERSION_REVISION;
}

QString companyName()
{
    return QString::fromUtf8(OMR_COMPANY_NAME);
}

} // namespace ProgramInfo
