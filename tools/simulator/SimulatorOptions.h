#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Which side of which protocol the simulator speaks.
enum class SimProtocol {
    Telvox2002, // HCVS1L<lane>
    Telvox2002Server2, // HCVS1L<lane>-1
    TelvoxAlt, // HAnz<lane>, HSlav<lane>, HPlatz.hwv
};

struct SimulatorOptions {
    QString exchangeDir;
    int lanes = 8;
    SimProtocol protocol = SimProtocol::Telvox2002;
    int paceMs = 700;
    std::uint32_t seed = 1;
    // Total number of lane messages; 0 runs until stopped.
    int messages = 0;
    QString rankingDir;
    int serverId = 1;
    QString definitionsDir;
    bool quiet = false;
};

// Parses the command line (arguments without the program name). On error the
// message explains what is wrong.
std::optional<SimulatorOptions> parseSimulatorOptions(const QStringList& arguments, QString& error);
QString simulatorUsage();
