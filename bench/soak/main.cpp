// omr_soak: the display against the scoring-system simulator for a set time.
// See bench/README.md.

#include "HoldTracer.h"
#include "RangeFolder.h"
#include "Soak.h"
#include "SoakOptions.h"
#include "platform/ProgramInfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.contains(QLatin1String("--help"))) {
        out << soakUsage();
        return 0;
    }
    QString error;
    const auto options = parseSoakOptions(arguments, error);
    if (!options) {
        out << "omr_soak: " << error << "\n" << soakUsage();
        return 2;
    }

    // Like the polling benchmarks, the exchange folder lives in memory where
    // the machine has /dev/shm, so that the figures show the program rather
    // than the disk; --folder measures another place.
    QString parent = options->folderParent;
    if (parent.isEmpty() && QFileInfo(QStringLiteral("/dev/shm")).isDir())
        parent = QStringLiteral("/dev/shm");
    std::optional<RangeFolder::Share> share;
    if (!options->shareServer.isEmpty())
        share = RangeFolder::Share {options->shareServer, options->shareClient};
    RangeFolder folder(parent, share);
    RangeFolder::Range range;
    range.lanes = options->lanes;
    range.perPage = options->perPage;
    range.wechselzeit = options->wechselzeit;
    if (!folder.prepare(QStringLiteral(OMR_DATA_DIR), range)) {
        out << "omr_soak: cannot prepare a program folder" << Qt::endl;
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", folder.offscreenPlatform(options->screen).toLocal8Bit());

    HoldTracer app(argc, argv);
    // OMR_TRACE_HOLDS names the event deliveries that held the screen longest.
    const bool trace = !qEnvironmentVariableIsEmpty("OMR_TRACE_HOLDS");
    app.setEnabled(trace);
    ProgramInfo::setDirectoryForTest(folder.path());
    Soak soak(*options, folder, out);
    const int result = soak.run();
    if (trace)
        out << "longest event deliveries:\n" << app.report(25) << Qt::flush;
    return result;
}
