#pragma once

#include "SoakOptions.h"

#include <QString>
#include <QTextStream>

class RangeFolder;

// One soak run: the display's main frame in this process on the range folder,
// the simulator in its own process sending as fast as the display takes the
// messages, for the set time; then the simulator is stopped once every lane
// has a message waiting, the display takes those last ones, and the run is
// judged. Prints its progress and the report to out.
class Soak {
public:
    Soak(const SoakOptions& options, const RangeFolder& folder, QTextStream& out);
    // 0 passed, 1 failed, 2 could not run.
    int run();

private:
    const SoakOptions& m_options;
    const RangeFolder& m_folder;
    QTextStream& m_out;
};
