#include <gtest/gtest.h>

#include "oob/text.h"
#include "reports/report_dates.h"

namespace brackle {
namespace {

TEST(ReportDates, MonthStartCountsCalendarDaysAndRefusesWhatFormsNoDate)
{
    // Hand-counted gaps between first days of months.
    struct Case {
        int y1, m1, y2, m2;
        long days;
    };
    const Case cases[] = {
        {43, 1, 43, 2, 31},    {44, 2, 44, 3, 29},  // year 44 is a leap year
        {43, 2, 43, 3, 28},    {100, 2, 100, 3, 28},  // a century year is not, unless divisible by 400
        {120, 2, 120, 3, 29},  {45, 12, 46, 1, 31},
        {1, 1, 2, 1, 365},
    };
    for (const Case& c : cases)
        EXPECT_EQ(*MonthStart(c.y2, c.m2) - *MonthStart(c.y1, c.m1), c.days) << c.y1 << "/" << c.m1;
    EXPECT_FALSE(MonthStart(0, 5));
    EXPECT_FALSE(MonthStart(40, 0));
    EXPECT_FALSE(MonthStart(40, 13));
    EXPECT_TRUE(MonthStart(255, 12));
}

TEST(ReportDates, DateOfDayIsTheWayBack)
{
    const CivilDate d = DateOfDay(*MonthStart(44, 2) + 28);
    EXPECT_EQ(d.Year, 44);
    EXPECT_EQ(d.Month, 2);
    EXPECT_EQ(d.Day, 29);
    const CivilDate e = DateOfDay(*MonthStart(43, 12) + 31);
    EXPECT_EQ(e.Year, 44);
    EXPECT_EQ(e.Month, 1);
    EXPECT_EQ(e.Day, 1);
}

TEST(ReportDates, X3RadioAndNumberFormats)
{
    for (int radio = 0; radio <= 255; ++radio) {
        UnitRecord u;
        u.Radio = static_cast<std::uint8_t>(radio);
        EXPECT_EQ(IsX3Radio(u), radio == 3 || radio == 13 || radio == 23 || radio == 33 || radio == 43 ||
                                    radio == 53 || radio == 63 || radio == 73 || radio == 83 || radio == 93 ||
                                    radio == 103 || radio == 113 || radio == 123 || radio == 133 ||
                                    radio == 143 || radio == 153 || radio == 163 || radio == 173 ||
                                    radio == 183 || radio == 193 || radio == 203 || radio == 213 ||
                                    radio == 223 || radio == 233 || radio == 243 || radio == 253)
            << radio;
    }
    EXPECT_EQ(Pad3(7), "007");
    EXPECT_EQ(Pad3(123), "123");
    EXPECT_EQ(Pad3(1234), "1234");
    EXPECT_EQ(Zero2(3), "03");
    EXPECT_EQ(Zero2(10), "10");
}

}  // namespace
}  // namespace brackle
