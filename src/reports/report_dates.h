// What the reports share: the X3 radio test, calendar dates from a year index
// and a month, and the zero-padded number formats of their lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "oob/records.h"

namespace brackle {

// A unit whose Radio leaves 3 when divided by 10 (3, 13, ..., 253) carries the X3 radio code.
bool IsX3Radio(const UnitRecord& unit);

// Day 1 of month m of the year numbered y (the year index itself is the year
// number), as a count of days in the proleptic Gregorian calendar; comparing
// two of them compares (y, m) year first. Nothing when the pair forms no date:
// a month outside 1..12 or a year index of 0.
std::optional<std::int64_t> MonthStart(int yearIndex, int month);

// The calendar date of a day count given by MonthStart (plus whole days).
struct CivilDate {
    std::int64_t Year = 0;
    int Month = 0;
    int Day = 0;
};
CivilDate DateOfDay(std::int64_t day);

// "%.2d": at least two digits, zero-padded ("07"); "%.3d" is Pad3 of oob/text.
std::string Zero2(long n);

}  // namespace brackle
