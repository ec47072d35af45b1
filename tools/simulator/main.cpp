#include "Simulator.h"
#include "SimulatorOptions.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString error;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << simulatorUsage();
        return 0;
    }
    const auto options = parseSimulatorOptions(arguments, error);
    if (!options) {
        err << "omr_simulator: " << error << "\n" << simulatorUsage();
        return 2;
    }
    Simulator simulator(*options, out);
    if (!simulator.prepare(error)) {
        err << "omr_simulator: " << error << Qt::endl;
        return 1;
    }
    return simulator.run();
}
