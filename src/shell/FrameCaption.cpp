#include "shell/FrameCaption.h"

#include "platform/ProgramInfo.h"

QString frameCaptionSuffix()
{
    return QStringLiteral(" 2002 V%1.%2.%3  %4")
        .arg(ProgramInfo::versionMajor())
        .arg(ProgramInfo::versionMinor())
        .arg(ProgramInfo::versionRevision())
        .arg(ProgramInfo::companyName());
}
