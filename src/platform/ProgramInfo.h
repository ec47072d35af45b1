#pragma once

#include <QString>

// What the program knows about itself.
namespace ProgramInfo {

// The directory of the executable, unless a test has set another one.
QString directory();
void setDirectoryForTest(const QString& dir);

int versionMajor();
int versionMinor();
int versionRevision();
QString companyName();

} // namespace ProgramInfo
