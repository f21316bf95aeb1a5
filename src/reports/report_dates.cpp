#include "reports/report_dates.h"

#include <cstdio>

namespace brackle {

bool IsX3Radio(const UnitRecord& unit)
{
    return unit.Radio % 10 == 3;
}

namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

std::optional<std::int64_t> MonthStart(int yearIndex, int month)
{
    if (yearIndex == 0 || month < 1 || month > 12)
        return std::nullopt;
    return DaysFromCivil(yearIndex, month, 1);
}

CivilDate DateOfDay(std::int64_t day)
{
    day += 719468;
    const std::int64_t era = (day >= 0 ? day : day - 146096) / 146097;
    const std::int64_t doe = day - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilDate date;
    date.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.Year = yoe + era * 400 + (date.Month <= 2 ? 1 : 0);
    return date;
}

std::string Zero2(long n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2ld", n);
    return buf;
}

}  // namespace brackle
