#pragma once

#include <QString>

#include <cstdint>

// One lane message of the "Telvox 2002" protocol: A#n;S#n;L#n;B#n;N#text.
struct LaneMessage {
    std::int32_t A = 0;
    std::int32_t S = 0;
    std::int32_t L = 0;
    // Message type; 0 when the record could not be read that far.
    std::int32_t B = 0;
    // Text argument, outer blanks removed, case kept; may contain ";" and "#".
    QString N;
    // False when the record broke the grammar (and the box was shown).
    bool wellFormed = true;
};

// Splits a record into its fields. Tags are case-insensitive and may carry
// blanks around them. A record that breaks the grammar shows the one "Syntax
// Error !" box with the record as text; the fields read before the error keep
// their values, the others stay cleared.
void SatzZerlegen(const QString& satz, std::int32_t& A, std::int32_t& S, std::int32_t& L, std::int32_t& B, QString& N);
LaneMessage SatzZerlegen(const QString& satz);
// The same without the box, on any thread: what a record will turn out to be.
LaneMessage splitLaneRecord(const QString& satz);
