// What "brackle-cli info" prints about one OOB file, and the file number an
// OOB file name carries.
#pragma once

#include <optional>
#include <string>

#include "oob/records.h"

namespace brackle {

// The number in a name of the form obatNNN.obf (any case, exactly three digits), 1..999.
std::optional<int> OOBNumberOfFileName(const std::string& fileName);

// A file number as typed: digits only, 1..999.
std::optional<int> ParseOOBNumber(const std::string& text);

struct OobSummary {
    int Number = 0;
    std::string NationName;
    std::size_t SizeBytes = 0;
    std::string Info;
    int Units = 0;      // slots with a name
    int Weapons = 0;
    int Formations = 0;
};

// Counts the used slots of the loaded tables; the nation name comes from oob.Names.
OobSummary SummariseOob(const Oob& oob);

// The summary as the lines the command line prints.
std::string FormatSummary(const OobSummary& s);

}  // namespace brackle
