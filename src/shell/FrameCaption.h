#pragma once

#include <QString>

// " 2002 V" + major.minor.revision + two blanks + company name: what the frame
// appends to its caption at load and after the options dialog closes.
QString frameCaptionSuffix();
