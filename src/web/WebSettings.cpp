#include "web/WebSettings.h"

#include "platform/ProfileDocument.h"

WebSettings WebSettings::read(const QString& path)
{
    const QString section = QStringLiteral("Web");
    ProfileDocument doc(path);
    doc.load();
    WebSettings web;
    const int port = doc.readInt(section, QStringLiteral("Port"), 0);
    if (port >= 1 && port <= 65535)
        web.port = static_cast<std::uint16_t>(port);
    const QString adresse = doc.readString(section, QStringLiteral("Adresse"), QString()).trimmed();
    if (!adresse.isEmpty())
        web.adresse = adresse;
    const int limit = doc.readInt(section, QStringLiteral("MaxVerbindungen"), DefaultMaxConnections);
    if (limit >= 1)
        web.maxVerbindungen = limit;
    return web;
}
