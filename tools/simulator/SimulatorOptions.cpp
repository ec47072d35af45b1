#include "SimulatorOptions.h"

namespace {

std::optional<int> intValue(const QString& text, int minimum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum)
        return std::nullopt;
    return value;
}

} // namespace

QString simulatorUsage()
{
    return QStringLiteral("omr_simulator --dir <exchange dir> [--lanes N] [--protocol 2002|2002s2|alt] [--pace ms]\n"
                          "              [--seed N] [--messages N] [--ranking-dir <dir>] [--server-id N]\n"
                          "              [--definitions <dir>] [--quiet]\n"
                          "Plays the scoring system's server: publishes definitions, shooters and results for\n"
                          "every lane through the file handshake and answers ranking requests.\n"
                          "--messages 0 (the default) runs until stopped; otherwise it exits after all\n"
                          "messages were consumed and prints \"done\".\n");
}

std::optional<SimulatorOptions> parseSimulatorOptions(const QStringList& arguments, QString& error)
{
    SimulatorOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--quiet")) {
            options.quiet = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("missing value after %1").arg(option);
            return std::nullopt;
        }
        const QString value = arguments[++i];
        std::optional<int> number;
        if (option == QLatin1String("--dir")) {
            options.exchangeDir = value;
        } else if (option == QLatin1String("--ranking-dir")) {
            options.rankingDir = value;
        } else if (option == QLatin1String("--definitions")) {
            options.definitionsDir = value;
        } else if (option == QLatin1String("--protocol")) {
            if (value == QLatin1String("2002"))
                options.protocol = SimProtocol::Telvox2002;
            else if (value == QLatin1String("2002s2"))
                options.protocol = SimProtocol::Telvox2002Server2;
            else if (value == QLatin1String("alt"))
                options.protocol = SimProtocol::TelvoxAlt;
            else {
                error = QStringLiteral("unknown protocol %1").arg(value);
                return std::nullopt;
            }
        } else if (option == QLatin1String("--lanes") && (number = intValue(value, 1)) && *number <= 255) {
            options.lanes = *number;
        } else if (option == QLatin1String("--pace") && (number = intValue(value, 0))) {
            options.paceMs = *number;
        } else if (option == QLatin1String("--seed") && (number = intValue(value, 0))) {
            options.seed = static_cast<std::uint32_t>(*number);
        } else if (option == QLatin1String("--messages") && (number = intValue(value, 0))) {
            options.messages = *number;
        } else if (option == QLatin1String("--server-id") && (number = intValue(value, -32768)) && *number <= 32767) {
            options.serverId = *number;
        } else {
            error = QStringLiteral("bad option %1 %2").arg(option, value);
            return std::nullopt;
        }
    }
    if (options.exchangeDir.isEmpty()) {
        error = QStringLiteral("--dir is required");
        return std::nullopt;
    }
    return options;
}
