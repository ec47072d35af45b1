#pragma once

#include <QString>

#include <cstdint>

// Section [Web] of the settings file. The web view is off unless Port names a
// port; the settings writer never touches the section, so it stays as the
// operator wrote it.
struct WebSettings {
    static constexpr int DefaultMaxConnections = 200;

    std::uint16_t port = 0;
    QString adresse = QStringLiteral("127.0.0.1");
    int maxVerbindungen = DefaultMaxConnections;

    bool enabled() const { return port != 0; }

    // Reads the section from the settings file at path. A port outside
    // 1..65535 or a limit below 1 counts as missing.
    static WebSettings read(const QString& path);
};
