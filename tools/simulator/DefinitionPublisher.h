#pragma once

#include "Discipline.h"

#include <QString>

#include <optional>

// The profile definition files the server publishes in the exchange folder
// and names in its messages (sections "XWettbewerb", "Rscheibe", "XWaffe").
namespace DefinitionPublisher {

// Writes the three files of a discipline under exchangeDir; false on error.
bool publish(const QString& exchangeDir, const Discipline& discipline);

// A discipline made of the profile files found in sourceDir (the first
// competition, target and weapon file by name), copied into the exchange
// folder. nullopt, with a reason, when one of the three is missing.
std::optional<Discipline> fromDirectory(const QString& sourceDir, const QString& exchangeDir, QString& error);

} // namespace DefinitionPublisher
