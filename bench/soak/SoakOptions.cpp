#include "SoakOptions.h"

#include <QRegularExpression>

QString soakUsage()
{
    return QStringLiteral(
        "omr_soak [--minutes M] [--baseline-minutes M] [--growth-limit PERCENT] [--lanes N] [--per-page N]\n"
        "         [--page-seconds S] [--tick-ms MS] [--screen WxH] [--seed N] [--simulator PATH] [--folder DIR]\n"
        "         [--share-server DIR --share-client DIR]\n"
        "Runs the display's main frame (offscreen) against omr_simulator at its fastest pace for M minutes\n"
        "and checks that every message is handled once and in order and that the resident memory does not\n"
        "grow by more than the limit after the baseline. With a share, the exchange and ranking folders lie in\n"
        "the exported folder (the simulator writes on the server's side) and the display polls them through\n"
        "the mount. Exit code 0: passed, 1: failed, 2: could not run.\n");
}

std::optional<SoakOptions> parseSoakOptions(const QStringList& arguments, QString& error)
{
    SoakOptions o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("missing value after %1").arg(name);
            return std::nullopt;
        }
        const QString value = arguments[++i];
        bool ok = true;
        if (name == QLatin1String("--minutes"))
            o.minutes = value.toDouble(&ok);
        else if (name == QLatin1String("--baseline-minutes"))
            o.baselineMinutes = value.toDouble(&ok);
        else if (name == QLatin1String("--growth-limit"))
            o.growthLimitPercent = value.toDouble(&ok);
        else if (name == QLatin1String("--lanes"))
            o.lanes = value.toInt(&ok);
        else if (name == QLatin1String("--per-page"))
            o.perPage = value.toInt(&ok);
        else if (name == QLatin1String("--page-seconds"))
            o.wechselzeit = value.toInt(&ok);
        else if (name == QLatin1String("--tick-ms"))
            o.tickMs = value.toInt(&ok);
        else if (name == QLatin1String("--seed"))
            o.seed = value.toInt(&ok);
        else if (name == QLatin1String("--simulator"))
            o.simulator = value;
        else if (name == QLatin1String("--folder"))
            o.folderParent = value;
        else if (name == QLatin1String("--share-server"))
            o.shareServer = value;
        else if (name == QLatin1String("--share-client"))
            o.shareClient = value;
        else if (name == QLatin1String("--screen")) {
            static const QRegularExpression size(QStringLiteral("^(\\d+)x(\\d+)$"));
            const auto m = size.match(value);
            ok = m.hasMatch();
            if (ok)
                o.screen = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else {
            error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        }
        if (!ok) {
            error = QStringLiteral("bad value %1 for %2").arg(value, name);
            return std::nullopt;
        }
    }
    if (o.minutes <= 0 || o.baselineMinutes < 0 || o.lanes < 1 || o.lanes > 255 || o.perPage < 0 || o.wechselzeit < 1
        || o.tickMs < 1 || o.seed < 0 || o.screen.isEmpty() || o.shareServer.isEmpty() != o.shareClient.isEmpty()) {
        error = QStringLiteral("a value is out of range");
        return std::nullopt;
    }
    return o;
}
